#ifndef MOZELT_LOCALE_DICTIONARY_H
#define MOZELT_LOCALE_DICTIONARY_H

#include <SupportDefs.h>

#include <memory>
#include <string_view>
#include <vector>

// The catalogue's entries: keys and texts that point into blocks of bytes the dictionary owns
// (a language file's text, kept whole), found through an open-addressing hash table. Filling it
// from a file costs a few allocations in all rather than three per entry, so that loading a
// large file takes little longer than reading it.
class TLocaleDictionary {
public:
	TLocaleDictionary();
	~TLocaleDictionary();

	// Keeps a block that Set may point into, and returns its bytes.
	char* AddBlock(std::unique_ptr<char[]> block);

	// Adds or replaces the entry of key. Both must lie in a block, and text must be followed
	// by a NUL byte.
	void Set(std::string_view key, std::string_view text);
	// The text of key, NUL-terminated, or NULL when there is none.
	const char* Find(std::string_view key) const;

	size_t CountEntries() const { return fEntries.size(); }
	void Clear();

private:
	TLocaleDictionary(const TLocaleDictionary&) = delete;
	TLocaleDictionary& operator=(const TLocaleDictionary&) = delete;

	struct Entry {
		const char* key;
		uint32 keyLength;
		uint32 hash;
		const char* text;
	};

	uint32 Hash(std::string_view key) const;
	// The slot of key, or the empty slot where it belongs.
	size_t SlotOf(std::string_view key, uint32 hash) const;
	void Grow();

	std::vector<Entry> fEntries;
	// Each slot holds an entry's hash in its high half and its index + 1 in its low half; 0 is
	// an empty slot. At most half of the slots are used.
	std::vector<uint64> fSlots;
	std::vector<std::unique_ptr<char[]>> fBlocks;
	// Mixed into every hash, so that no file can be made to collide on purpose.
	uint64 fSeed;
};

#endif
