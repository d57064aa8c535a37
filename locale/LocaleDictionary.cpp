#include <locale/LocaleDictionary.h>

#include <OS.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

const size_t kFirstCapacity = 64;
const uint64 kMultiplier = 0x9E3779B97F4A7C15ULL;

const uint64 kLaneSeeds[3] = {0x243F6A8885A308D3ULL, 0x13198A2E03707344ULL, 0xA4093822299F31D0ULL};

uint64
load_word(const char* bytes)
{
	uint64 word;
	memcpy(&word, bytes, sizeof(word));
	return word;
}

uint64
step(uint64 lane, uint64 word)
{
	lane = (lane ^ word) * kMultiplier;
	return lane ^ (lane >> 29);
}

uint64
mix(uint64 value)
{
	value ^= value >> 32;
	value *= 0xD6E8FEB86659FD93ULL;
	value ^= value >> 32;
	return value;
}

} // namespace

TLocaleDictionary::TLocaleDictionary()
	: fSeed(mix(static_cast<uint64>(system_time()) ^ reinterpret_cast<uintptr_t>(this)))
{}

TLocaleDictionary::~TLocaleDictionary() {}

char*
TLocaleDictionary::AddBlock(std::unique_ptr<char[]> block)
{
	fBlocks.push_back(std::move(block));
	return fBlocks.back().get();
}

uint32
TLocaleDictionary::Hash(std::string_view key) const
{
	// Keys are whole texts, often long: four independent lanes of eight bytes each keep the
	// processor's multipliers busy.
	const char* bytes = key.data();
	size_t left = key.size();
	uint64 lanes[4] = {fSeed, fSeed ^ kLaneSeeds[0], fSeed ^ kLaneSeeds[1], fSeed ^ kLaneSeeds[2]};
	for (; left >= 32; bytes += 32, left -= 32) {
		for (int lane = 0; lane < 4; lane++)
			lanes[lane] = step(lanes[lane], load_word(bytes + lane * 8));
	}
	for (; left > 8; bytes += 8, left -= 8)
		lanes[0] = step(lanes[0], load_word(bytes));
	// The last word overlaps the one before it rather than being put together byte by byte.
	uint64 tail = 0;
	if (key.size() >= 8) {
		tail = load_word(key.data() + key.size() - 8);
	} else {
		for (size_t i = 0; i < left; i++)
			tail |= static_cast<uint64>(static_cast<uint8>(bytes[i])) << (i * 8);
	}
	uint64 hash = step(lanes[0], tail) ^ std::rotl(lanes[1], 17) ^ std::rotl(lanes[2], 31) ^
				  std::rotl(lanes[3], 47) ^ key.size();
	return static_cast<uint32>(mix(hash));
}

size_t
TLocaleDictionary::SlotOf(std::string_view key, uint32 hash) const
{
	size_t mask = fSlots.size() - 1;
	for (size_t index = hash & mask;; index = (index + 1) & mask) {
		uint64 slot = fSlots[index];
		if (slot == 0)
			return index;
		if (static_cast<uint32>(slot >> 32) != hash)
			continue;
		const Entry& entry = fEntries[static_cast<uint32>(slot) - 1];
		if (std::string_view(entry.key, entry.keyLength) == key)
			return index;
	}
}

void
TLocaleDictionary::Grow()
{
	size_t capacity = fSlots.empty() ? kFirstCapacity : fSlots.size() * 2;
	fSlots.assign(capacity, 0);
	size_t mask = capacity - 1;
	for (size_t i = 0; i < fEntries.size(); i++) {
		uint32 hash = fEntries[i].hash;
		size_t index = hash & mask;
		while (fSlots[index] != 0)
			index = (index + 1) & mask;
		fSlots[index] = static_cast<uint64>(hash) << 32 | (i + 1);
	}
}

void
TLocaleDictionary::Set(std::string_view key, std::string_view text)
{
	if ((fEntries.size() + 1) * 2 > fSlots.size())
		Grow();
	uint32 hash = Hash(key);
	size_t index = SlotOf(key, hash);
	if (fSlots[index] != 0) {
		fEntries[static_cast<uint32>(fSlots[index]) - 1].text = text.data();
		return;
	}
	fEntries.push_back(Entry{key.data(), static_cast<uint32>(key.size()), hash, text.data()});
	fSlots[index] = static_cast<uint64>(hash) << 32 | fEntries.size();
}

const char*
TLocaleDictionary::Find(std::string_view key) const
{
	if (fEntries.empty())
		return NULL;
	uint64 slot = fSlots[SlotOf(key, Hash(key))];
	return slot != 0 ? fEntries[static_cast<uint32>(slot) - 1].text : NULL;
}

void
TLocaleDictionary::Clear()
{
	// The table keeps its size: a language is mostly replaced by one of about as many entries.
	fEntries.clear();
	std::fill(fSlots.begin(), fSlots.end(), 0);
	fBlocks.clear();
}
