// Flattening and reading back a 24-field message of mixed types, as settings files and port
// bodies are.
#include <benchmark/benchmark.h>

#include <vector>

#include <DataIO.h>
#include <Message.h>
#include <beapi/MessageFormats.h>

namespace {

BMessage
mixed_message()
{
	BMessage message('_prc');
	BMessage nested('nest');
	nested.AddString("family", "VL Gothic");
	nested.AddFloat("size", 12.0f);
	for (int i = 0; i < 4; i++) {
		const std::string n = std::to_string(i);
		message.AddInt32(("long" + n).c_str(), i * 1000);
		message.AddBool(("bool" + n).c_str(), i % 2 == 0);
		message.AddString(("string" + n).c_str(), "設定の値 " + n);
		message.AddFloat(("float" + n).c_str(), 1.5f * static_cast<float>(i));
		message.AddRect(("rect" + n).c_str(), BRect(0, 0, 550, 285));
	}
	message.AddPoint("point", BPoint(10, 20));
	message.AddDouble("double", 3.25);
	message.AddInt64("int64", 1234567890123LL);
	message.AddMessage("message", &nested);
	return message;
}

void
BM_MessageFlatten(benchmark::State& state)
{
	const BMessage message = mixed_message();
	std::vector<char> buffer(static_cast<size_t>(message.FlattenedSize()));
	for (auto _ : state) {
		message.Flatten(buffer.data(), static_cast<ssize_t>(buffer.size()));
		benchmark::DoNotOptimize(buffer.data());
	}
	state.counters["fields"] = message.CountNames(B_ANY_TYPE);
	state.counters["bytes"] = static_cast<double>(buffer.size());
}
BENCHMARK(BM_MessageFlatten);

void
BM_MessageUnflatten(benchmark::State& state)
{
	const BMessage message = mixed_message();
	std::vector<char> buffer(static_cast<size_t>(message.FlattenedSize()));
	message.Flatten(buffer.data(), static_cast<ssize_t>(buffer.size()));
	for (auto _ : state) {
		BMessage copy;
		copy.Unflatten(buffer.data());
		benchmark::DoNotOptimize(copy.what);
	}
}
BENCHMARK(BM_MessageUnflatten);

void
BM_MessageFindAllFields(benchmark::State& state)
{
	const BMessage message = mixed_message();
	for (auto _ : state) {
		int32 sum = 0;
		for (int i = 0; i < 4; i++)
			sum += message.GetInt32(("long" + std::to_string(i)).c_str(), 0);
		benchmark::DoNotOptimize(sum);
	}
}
BENCHMARK(BM_MessageFindAllFields);

void
BM_MessageFlattenR5(benchmark::State& state)
{
	const BMessage message = mixed_message();
	for (auto _ : state) {
		BMallocIO io;
		flatten_message(message, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, &io);
		benchmark::DoNotOptimize(io.Buffer());
	}
}
BENCHMARK(BM_MessageFlattenR5);

} // namespace
