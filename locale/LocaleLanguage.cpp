#include <locale/Locale.h>

#include <util/text/StringUtils.h>

#include <Autolock.h>
#include <File.h>

#include <cstring>
#include <memory>
#include <string_view>

namespace {

// Language files are a few hundred lines; anything near this size is no language file, and
// is refused rather than read into memory.
const off_t kMaxLanguageFileSize = 4 * 1024 * 1024;

const size_t kLanguageCodeLength = 4;

bool
is_lower_letter(char c)
{
	return c >= 'a' && c <= 'z';
}

bool
is_blank(char c)
{
	return c == ' ' || c == '\t';
}

std::string_view
trimmed(std::string_view text)
{
	while (!text.empty() && is_blank(text.front()))
		text.remove_prefix(1);
	while (!text.empty() && is_blank(text.back()))
		text.remove_suffix(1);
	return text;
}

// The word of a line at start, as TLocale::ExtractWord reads it.
std::string_view
word_at(std::string_view line, size_t start, size_t* next)
{
	if (start >= line.size()) {
		*next = std::string_view::npos;
		return std::string_view();
	}

	std::string_view word;
	size_t after;
	if (line[start] == '"') {
		size_t close = line.find('"', start + 1);
		if (close == std::string_view::npos) {
			word = line.substr(start + 1);
			after = std::string_view::npos;
		} else {
			word = line.substr(start + 1, close - start - 1);
			after = close + 1;
		}
	} else {
		size_t tab = line.find('\t', start);
		word = line.substr(start,
						   tab == std::string_view::npos ? std::string_view::npos : tab - start);
		after = tab;
	}

	if (after != std::string_view::npos) {
		while (after < line.size() && is_blank(line[after]))
			after++;
		if (after >= line.size())
			after = std::string_view::npos;
	}
	*next = after;
	return word;
}

std::string
language_file_path(const std::string& folder, const std::string& name, const std::string& code)
{
	std::string path = folder;
	if (!path.empty() && path.back() != '/')
		path += '/';
	return path + "Language/Dictionaries/" + reext(name, code);
}

// The whole file, followed by a NUL byte, or B_ERROR when it cannot be opened or read, or is
// far too large.
status_t
read_whole_file(const std::string& path, std::unique_ptr<char[]>* text, size_t* size)
{
	BFile file(path.c_str(), B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return B_ERROR;
	off_t expected = 0;
	if (file.GetSize(&expected) != B_OK || expected > kMaxLanguageFileSize)
		return B_ERROR;

	// The size is only what the file had when it was opened: read to its end, within the
	// limit, one byte more than expected so that a grown file is noticed.
	size_t capacity = static_cast<size_t>(expected) + 1;
	std::unique_ptr<char[]> bytes(new char[capacity + 1]);
	size_t length = 0;
	while (true) {
		if (length == capacity) {
			if (capacity > static_cast<size_t>(kMaxLanguageFileSize))
				return B_ERROR;
			size_t larger = capacity * 2;
			std::unique_ptr<char[]> grown(new char[larger + 1]);
			memcpy(grown.get(), bytes.get(), length);
			bytes.swap(grown);
			capacity = larger;
		}
		ssize_t read = file.Read(bytes.get() + length, capacity - length);
		if (read < 0)
			return B_ERROR;
		if (read == 0)
			break;
		length += static_cast<size_t>(read);
	}
	if (length > static_cast<size_t>(kMaxLanguageFileSize))
		return B_ERROR;
	bytes[length] = '\0';
	*text = std::move(bytes);
	*size = length;
	return B_OK;
}

} // namespace

bool
valid_language_code(const std::string& code)
{
	return code.size() == kLanguageCodeLength && is_lower_letter(code[0]) &&
		   is_lower_letter(code[1]) && !is_lower_letter(code[2]) && !is_lower_letter(code[3]);
}

status_t
TLocale::SetLanguage(const std::string& code, bool reload)
{
	if (!valid_language_code(code))
		return B_ERROR;

	std::string folder;
	std::string name;
	{
		BAutolock lock(mLock);
		mLanguage = code;
		folder = mBaseFolder;
		name = mFileName;
	}
	if (reload && !folder.empty() && !name.empty())
		LoadLanguageFile(folder, name, false);
	return B_OK;
}

std::string
TLocale::Language() const
{
	BAutolock lock(mLock);
	return mLanguage;
}

status_t
TLocale::LoadLanguageFile(const std::string& folder, const std::string& name, bool append)
{
	// The file is read whole before the lock is taken, so that lookups wait only for the parse;
	// one that cannot be read changes nothing.
	std::unique_ptr<char[]> text;
	size_t size;
	if (read_whole_file(language_file_path(folder, name, Language()), &text, &size) != B_OK)
		return B_ERROR;

	BAutolock lock(mLock);
	mBaseFolder = folder;
	mFileName = name;
	if (!append)
		mDictionary.Clear();
	ParseLanguageText(std::move(text), size);
	return B_OK;
}

void
TLocale::UseBuiltInTexts()
{
	BAutolock lock(mLock);
	mDictionary.Clear();
}

status_t
TLocale::RefreshDictionaries()
{
	std::string folder;
	std::string name;
	{
		BAutolock lock(mLock);
		if (mFileName.empty() || mBaseFolder.empty() || mLanguage.empty())
			return B_ERROR;
		folder = mBaseFolder;
		name = mFileName;
	}
	return LoadLanguageFile(folder, name, false);
}

std::string
TLocale::ExtractWord(const std::string& line, size_t start, size_t* next) const
{
	size_t after;
	std::string word(word_at(line, start, &after));
	if (next != NULL)
		*next = after;
	return word;
}

void
TLocale::ParseLanguageText(std::unique_ptr<char[]> text, size_t size)
{
	// Keys and texts stay in the file's own bytes: each is ended in place by a NUL byte written
	// over the separator, quote or line break after it, once the line has been read.
	char* bytes = mDictionary.AddBlock(std::move(text));
	std::string_view rest(bytes, size);
	while (!rest.empty()) {
		size_t end = rest.find('\n');
		std::string_view line = rest.substr(0, end);
		rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
		if (!line.empty() && line.back() == '\r')
			line.remove_suffix(1);
		line = trimmed(line);
		if (line.empty() || line.front() == '#')
			continue;

		size_t next;
		std::string_view key = word_at(line, 0, &next);
		std::string_view value;
		if (next != std::string_view::npos)
			value = word_at(line, next, &next);
		bytes[key.data() - bytes + key.size()] = '\0';
		// A key without a value stands for itself.
		if (value.empty()) {
			mDictionary.Set(key, key);
		} else {
			bytes[value.data() - bytes + value.size()] = '\0';
			mDictionary.Set(key, value);
		}
	}
}
