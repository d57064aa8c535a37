#include "ResourceDescription.h"

#include <Roster.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "IconFile.h"

namespace {

// The platform's version_info: five numbers, a short and a long text.
struct VersionInfo {
	uint32 major;
	uint32 middle;
	uint32 minor;
	uint32 variety;
	uint32 internal;
	char shortInfo[64];
	char longInfo[256];
};

static_assert(sizeof(VersionInfo) == 340, "version_info is 340 bytes");

const char* const kVarieties[] = {"development", "alpha",         "beta",
								  "gamma",       "golden_master", "final"};

bool
parse_number(const std::string& word, int64 minimum, int64 maximum, int64* value)
{
	if (word.empty())
		return false;
	char* end = nullptr;
	long long parsed = strtoll(word.c_str(), &end, 0);
	if (*end != '\0' || parsed < minimum || parsed > maximum)
		return false;
	*value = parsed;
	return true;
}

template <typename T>
std::vector<char>
bytes_of(const T& value)
{
	const char* start = reinterpret_cast<const char*>(&value);
	return std::vector<char>(start, start + sizeof(T));
}

} // namespace

bool
split_words(const std::string& line, std::vector<std::string>* words, std::string* error)
{
	words->clear();
	size_t i = 0;
	while (i < line.size()) {
		if (line[i] == ' ' || line[i] == '\t') {
			i++;
			continue;
		}
		if (line[i] == '#')
			break;
		std::string word;
		if (line[i] == '"') {
			i++;
			bool closed = false;
			while (i < line.size()) {
				char c = line[i++];
				if (c == '"') {
					closed = true;
					break;
				}
				if (c == '\\' && i < line.size()) {
					char next = line[i++];
					word.push_back(next == 'n' ? '\n' : next);
					continue;
				}
				word.push_back(c);
			}
			if (!closed) {
				*error = "unterminated string";
				return false;
			}
			// Quoted words keep a mark so that an empty string still counts.
			words->push_back("\"" + word);
			continue;
		}
		while (i < line.size() && line[i] != ' ' && line[i] != '\t')
			word.push_back(line[i++]);
		words->push_back(word);
	}
	return true;
}

bool
parse_type_code(const std::string& word, type_code* type)
{
	if (word.size() == 6 && word.front() == '\'' && word.back() == '\'') {
		*type = ((uint32)(uint8)word[1] << 24) | ((uint32)(uint8)word[2] << 16) |
				((uint32)(uint8)word[3] << 8) | (uint32)(uint8)word[4];
		return true;
	}
	int64 value;
	if (!parse_number(word, 0, 0xffffffffLL, &value))
		return false;
	*type = (type_code)value;
	return true;
}

static bool
is_quoted(const std::string& word)
{
	return !word.empty() && word[0] == '"';
}

bool
ResourceDescription::Read(const std::string& path)
{
	std::ifstream file(path);
	if (!file) {
		fError = "cannot read " + path;
		return false;
	}
	std::string text(std::istreambuf_iterator<char>(file), (std::istreambuf_iterator<char>()));
	size_t slash = path.rfind('/');
	return ReadText(text, path, slash == std::string::npos ? "." : path.substr(0, slash), true);
}

bool
ResourceDescription::ReadText(const std::string& text, const std::string& name,
							  const std::string& folder, bool allowFiles)
{
	fFolder = folder;
	fAllowFiles = allowFiles;
	fLineNumber = 0;
	size_t start = 0;
	while (start < text.size()) {
		size_t end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		std::string line = text.substr(start, end - start);
		start = end + 1;
		fLineNumber++;
		if (!line.empty() && line.back() == '\r')
			line.pop_back();
		if (!_Line(line)) {
			fError = name + ":" + std::to_string(fLineNumber) + ": " + fError;
			return false;
		}
	}
	return true;
}

bool
ResourceDescription::_Line(const std::string& line)
{
	std::vector<std::string> words;
	if (!split_words(line, &words, &fError))
		return false;
	if (words.empty())
		return true;
	const std::string& keyword = words[0];
	if (keyword == "signature")
		return _Signature(words);
	if (keyword == "flags")
		return _Flags(words);
	if (keyword == "version")
		return _Version(words);
	if (keyword == "icon")
		return _Icon(words);
	if (keyword == "resource")
		return _Resource(words);
	return _Fail("unknown keyword \"" + keyword + "\"");
}

bool
ResourceDescription::_Fail(const std::string& what)
{
	fError = what;
	return false;
}

std::string
ResourceDescription::_Resolve(const std::string& path) const
{
	if (!path.empty() && path[0] == '/')
		return path;
	return fFolder + "/" + path;
}

bool
ResourceDescription::_Add(type_code type, int32 id, const std::string& name, std::vector<char> data)
{
	for (const ResourceItem& item : fItems) {
		if (item.type == type && item.id == id)
			return _Fail("a resource of this type and id is given twice");
	}
	fItems.push_back(ResourceItem{type, id, name, std::move(data)});
	return true;
}

bool
ResourceDescription::_Signature(const std::vector<std::string>& words)
{
	if (words.size() != 2 || !is_quoted(words[1]) || words[1].size() < 2)
		return _Fail("signature takes one quoted MIME type");
	std::string signature = words[1].substr(1);
	if (signature.size() >= B_MIME_TYPE_LENGTH)
		return _Fail("the signature is too long");
	std::vector<char> data(signature.begin(), signature.end());
	data.push_back('\0');
	return _Add('MIMS', 1, "BEOS:APP_SIG", data);
}

bool
ResourceDescription::_Flags(const std::vector<std::string>& words)
{
	static const struct {
		const char* name;
		uint32 value;
	} kNames[] = {{"B_SINGLE_LAUNCH", B_SINGLE_LAUNCH},
				  {"B_MULTIPLE_LAUNCH", B_MULTIPLE_LAUNCH},
				  {"B_EXCLUSIVE_LAUNCH", B_EXCLUSIVE_LAUNCH},
				  {"B_BACKGROUND_APP", B_BACKGROUND_APP},
				  {"B_ARGV_ONLY", B_ARGV_ONLY}};
	if (words.size() < 2)
		return _Fail("flags takes launch flags joined by |");
	uint32 flags = 0;
	for (size_t i = 1; i < words.size(); i++) {
		if (words[i] == "|")
			continue;
		bool known = false;
		for (const auto& entry : kNames) {
			if (words[i] == entry.name) {
				flags |= entry.value;
				known = true;
			}
		}
		int64 number;
		if (!known && parse_number(words[i], 0, 0xffffffffLL, &number)) {
			flags |= (uint32)number;
			known = true;
		}
		if (!known)
			return _Fail("unknown flag \"" + words[i] + "\"");
	}
	return _Add('APPF', 1, "BEOS:APP_FLAGS", bytes_of(flags));
}

bool
ResourceDescription::_Version(const std::vector<std::string>& words)
{
	if (words.size() != 6 || !is_quoted(words[4]) || !is_quoted(words[5]))
		return _Fail("version takes MAJOR.MIDDLE.MINOR VARIETY INTERNAL \"short\" \"long\"");
	VersionInfo info;
	memset(&info, 0, sizeof(info));
	int64 numbers[3] = {0, 0, 0};
	std::string rest = words[1];
	for (int i = 0; i < 3 && !rest.empty(); i++) {
		size_t dot = rest.find('.');
		if (!parse_number(rest.substr(0, dot), 0, 0xffffffffLL, &numbers[i]))
			return _Fail("bad version number \"" + words[1] + "\"");
		rest = dot == std::string::npos ? "" : rest.substr(dot + 1);
	}
	if (!rest.empty())
		return _Fail("bad version number \"" + words[1] + "\"");
	info.major = (uint32)numbers[0];
	info.middle = (uint32)numbers[1];
	info.minor = (uint32)numbers[2];
	bool known = false;
	for (uint32 i = 0; i < std::size(kVarieties); i++) {
		if (words[2] == kVarieties[i]) {
			info.variety = i;
			known = true;
		}
	}
	if (!known)
		return _Fail("variety is one of development, alpha, beta, gamma, "
					 "golden_master, final");
	int64 internal;
	if (!parse_number(words[3], 0, 0xffffffffLL, &internal))
		return _Fail("bad internal version \"" + words[3] + "\"");
	info.internal = (uint32)internal;
	std::string shortInfo = words[4].substr(1);
	std::string longInfo = words[5].substr(1);
	if (shortInfo.size() >= sizeof(info.shortInfo) || longInfo.size() >= sizeof(info.longInfo))
		return _Fail("version texts are at most 63 and 255 bytes");
	memcpy(info.shortInfo, shortInfo.data(), shortInfo.size());
	memcpy(info.longInfo, longInfo.data(), longInfo.size());
	// The application's version, then the system version it needs (none given).
	std::vector<char> data = bytes_of(info);
	data.resize(2 * sizeof(VersionInfo), 0);
	return _Add('APPV', 1, "BEOS:APP_VERSION", data);
}

bool
ResourceDescription::_Icon(const std::vector<std::string>& words)
{
	if (words.size() != 3 || (words[1] != "large" && words[1] != "mini"))
		return _Fail("icon takes large or mini and a file");
	if (!fAllowFiles)
		return _Fail("no files may be read here");
	bool large = words[1] == "large";
	std::string path = _Resolve(is_quoted(words[2]) ? words[2].substr(1) : words[2]);
	fInputs.push_back(path);
	IconFile icon;
	if (!icon.Read(path, large ? 32 : 16))
		return _Fail(icon.Error());
	std::vector<char> archive;
	if (icon.Archive(&archive) != B_OK)
		return _Fail("cannot archive the icon " + path);
	return _Add('BBMP', large ? 101 : 102, large ? "BEOS:L:STD_ICON" : "BEOS:M:STD_ICON", archive);
}

bool
ResourceDescription::_Resource(const std::vector<std::string>& words)
{
	if (words.size() != 6 || !is_quoted(words[3]))
		return _Fail("resource takes 'TYPE' ID \"name\" file PATH or string \"text\"");
	type_code type;
	if (!parse_type_code(words[1], &type))
		return _Fail("bad type code " + words[1]);
	int64 id;
	if (!parse_number(words[2], INT32_MIN, INT32_MAX, &id))
		return _Fail("bad resource id " + words[2]);
	std::string name = words[3].substr(1);
	std::vector<char> data;
	if (words[4] == "file") {
		if (!fAllowFiles)
			return _Fail("no files may be read here");
		std::string path = _Resolve(is_quoted(words[5]) ? words[5].substr(1) : words[5]);
		fInputs.push_back(path);
		std::ifstream file(path, std::ios::binary);
		if (!file)
			return _Fail("cannot read " + path);
		data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
	} else if (words[4] == "string" && is_quoted(words[5])) {
		std::string text = words[5].substr(1);
		data.assign(text.begin(), text.end());
		data.push_back('\0');
	} else {
		return _Fail("resource data is file PATH or string \"text\"");
	}
	return _Add(type, (int32)id, name, data);
}
