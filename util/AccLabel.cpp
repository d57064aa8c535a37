#include <util/AccLabel.h>

namespace {

// Where the key goes inside a label, tried kind by kind: the first kind the label holds
// decides, even when a marker of a later kind comes earlier in the label.
const char* const kInsertionMarkers[] = {
	"...", "[", "：", ":", ">>", "<<", "→", "←",
};

const char kMiddleDot[] = "・";

// Only ASCII letters change: the label's other bytes may be parts of UTF-8 characters.
char
lower_ascii(char c)
{
	if (c >= 'A' && c <= 'Z')
		return static_cast<char>(c - 'A' + 'a');
	return c;
}

std::string
accelerator_text(const std::string& format, const std::string& key)
{
	// Byte 0 is the placement code, never part of the template.
	size_t at = format.find('a', 1);
	if (at == std::string::npos)
		return std::string();
	std::string text = format.substr(1);
	text.replace(at - 1, 1, key);
	return text;
}

} // namespace

std::string
merge_accelerator_key(const std::string& format, const std::string& key, const std::string& label)
{
	std::string accelerator = accelerator_text(format, key);
	if (!format.empty() && format[0] == ACC_FORMAT_PLACE_BEFORE)
		return accelerator + label;

	size_t at = std::string::npos;
	for (const char* marker : kInsertionMarkers) {
		at = label.find(marker);
		if (at != std::string::npos)
			break;
	}
	if (at == std::string::npos)
		return label + accelerator;

	// "Name :" becomes "Name(N) :": the key sticks to the word, not to the marker.
	while (at > 0 && label[at - 1] == ' ')
		at--;
	std::string result = label.substr(0, at);
	result += accelerator;
	result.append(label, at, std::string::npos);
	return result;
}

char
short_cut_from_label(const std::string& label)
{
	// "Select(S)...": the last bracket pair, wherever it is.
	size_t open = label.rfind('(');
	size_t close = label.rfind(')');
	if (open != std::string::npos && close != std::string::npos && close == open + 2)
		return lower_ascii(label[open + 1]);

	// "S) Select...", "S・Select...", "S - Select...".
	if (label.find(')') == 1 || label.find(' ') == 1 || label.find(kMiddleDot) == 1)
		return lower_ascii(label[0]);
	return 0;
}
