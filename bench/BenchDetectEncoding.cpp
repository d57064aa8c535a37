// Guessing the encoding of 1 MiB of Japanese text in UTF-8, Shift JIS, EUC-JP and JIS, against
// one plain pass over the same bytes. The texts are made from UTF-8 by the C library's iconv
// at every run. Shift JIS, JIS and EUC-JP with kanji are decided at their first telling byte;
// UTF-8, and EUC-JP made of kana alone, are read to the end.
#include "IconvText.h"

#include <util/text/EncodingDetect.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const size_t kTextSize = 1024 * 1024;

// Prose as a help text or a settings page would have it: kanji, kana, punctuation, some ASCII.
const char kParagraph[] =
	"日本語の文章を入力するときは、まずローマ字かかなで読みを打ち込み、変換キーで漢字に"
	"変換します。候補が多いときは、スペースキーを押すたびに次の候補が表示されます。"
	"確定した文字はそのまま文書に入り、句読点（。、）も設定に従って自動的に変換されます。"
	"Shift+スペースキーで半角の空白を入力することもできます。\n";
// Kana alone: nothing in EUC-JP decides it before the end.
const char kKanaParagraph[] = "ひらがなとカタカナだけのぶんしょうは、さいごまでよまれます。\n";

// Whole paragraphs in the encoding, up to 1 MiB.
std::string
japanese_text(const char* encoding, const char* source = kParagraph)
{
	std::string paragraph = iconv_text(source, encoding);
	if (paragraph.empty()) {
		fprintf(stderr, "iconv cannot convert to %s\n", encoding);
		abort();
	}
	std::string text;
	while (text.size() + paragraph.size() <= kTextSize)
		text += paragraph;
	return text;
}

void
report(benchmark::State& state, const std::string& text)
{
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
							static_cast<int64_t>(text.size()));
	state.counters["MB"] = benchmark::Counter(static_cast<double>(text.size()) / 1e6,
											  benchmark::Counter::kIsIterationInvariantRate);
}

void
BM_DetectEncoding(benchmark::State& state, const char* encoding, const char* source)
{
	const std::string text = japanese_text(encoding, source);
	const int32 length = static_cast<int32>(text.size());
	int32 result = 0;
	for (auto _ : state) {
		result = detect_encoding(text.data(), length, NULL, length, length);
		benchmark::DoNotOptimize(result);
	}
	state.counters["answer"] = result;
	report(state, text);
}
BENCHMARK_CAPTURE(BM_DetectEncoding, UTF8, "UTF-8", kParagraph);
BENCHMARK_CAPTURE(BM_DetectEncoding, ShiftJIS, "SHIFT_JIS", kParagraph);
BENCHMARK_CAPTURE(BM_DetectEncoding, EUCJP, "EUC-JP", kParagraph);
BENCHMARK_CAPTURE(BM_DetectEncoding, JIS, "ISO-2022-JP", kParagraph);
BENCHMARK_CAPTURE(BM_DetectEncoding, EUCJPKana, "EUC-JP", kKanaParagraph);

// The baseline: one pass that counts the bytes above ASCII.
void
BM_PlainPass(benchmark::State& state)
{
	const std::string text = japanese_text("UTF-8");
	for (auto _ : state) {
		size_t high = 0;
		for (char c : text)
			high += static_cast<unsigned char>(c) >> 7;
		benchmark::DoNotOptimize(high);
	}
	report(state, text);
}
BENCHMARK(BM_PlainPass);

} // namespace
