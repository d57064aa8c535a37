// Language files come from wherever a translator or a package put them. Reads arbitrary bytes
// as a language file, through the catalogue's own loading, and every word of every line
// through the word reader: nothing is read outside the text, and every lookup answers.
#include "FuzzInput.h"

#include <locale/Locale.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string sFolder;

void
remove_folder()
{
	std::error_code ignored;
	std::filesystem::remove_all(sFolder, ignored);
}

// A data folder of the fuzzer's own, holding the one language file each input becomes.
std::string
make_folder()
{
	char pattern[] = "/tmp/fuzz-language-XXXXXX";
	if (mkdtemp(pattern) == NULL)
		abort();
	sFolder = pattern;
	std::filesystem::create_directories(sFolder + "/Language/Dictionaries");
	atexit(remove_folder);
	return sFolder;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	static const std::string folder = make_folder();
	static TLocale locale;
	static bool chosen = locale.SetLanguage("enUS", false) == B_OK;
	if (!chosen)
		abort();

	uint32_t start = static_cast<uint32_t>(take_int32(&data, &size));
	const std::string text(reinterpret_cast<const char*>(data), size);
	{
		std::ofstream file(folder + "/Language/Dictionaries/F.enUS",
						   std::ios::binary | std::ios::trunc);
		file << text;
	}
	// Read afresh, then once more appended: the catalogue holds one input's entries at most.
	if (locale.LoadLanguageFile(folder, "F.txt", false) != B_OK ||
		locale.LoadLanguageFile(folder, "F.txt", true) != B_OK)
		abort();
	locale.GetString("");
	locale.GetString(text.substr(0, text.find('\t')));

	// The word reader from any position, followed to the end of the text.
	size_t position = text.empty() ? 0 : start % (text.size() + 1);
	for (int words = 0; position != std::string::npos && words < 64; words++) {
		size_t next;
		std::string word = locale.ExtractWord(text, position, &next);
		if (word.size() > text.size() || (next != std::string::npos && next <= position))
			abort();
		position = next;
	}
	return 0;
}
