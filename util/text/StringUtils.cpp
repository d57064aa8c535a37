#include <util/text/StringUtils.h>

#include <algorithm>

namespace {

// Where the extension's "." of path's last component lies, or npos when it has none.
size_t
extension_dot(const std::string& path)
{
	size_t dot = path.rfind('.');
	if (dot == std::string::npos)
		return dot;
	size_t slash = path.rfind('/');
	if (slash != std::string::npos && slash > dot)
		return std::string::npos;
	return dot;
}

bool
is_blank(char c)
{
	return c == ' ' || c == '\t';
}

} // namespace

std::string
add_ext(const std::string& path, const std::string& ext)
{
	if (extension_dot(path) != std::string::npos)
		return path;
	return path + "." + ext;
}

std::string
reext(const std::string& path, const std::string& ext)
{
	size_t dot = extension_dot(path);
	if (dot == std::string::npos)
		return path + "." + ext;
	return path.substr(0, dot + 1) + ext;
}

std::string
extract_file_ext(const std::string& path)
{
	size_t dot = path.rfind('.');
	return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string
extract_file_folder_path_kernel(const std::string& path, int withSeparator)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos)
		return std::string();
	// The flag is added to the separator's index, as a length: keep the result inside the path
	// whatever number a caller passes.
	long long length = static_cast<long long>(slash) + withSeparator;
	length = std::clamp<long long>(length, 0, static_cast<long long>(path.size()));
	return path.substr(0, static_cast<size_t>(length));
}

std::string
extract_file_name(const std::string& path)
{
	size_t slash = path.rfind('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string
extract_file_body(const std::string& path)
{
	std::string name = extract_file_name(path);
	size_t dot = name.rfind('.');
	return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string
trim(const std::string& text)
{
	size_t first = 0;
	while (first < text.size() && is_blank(text[first]))
		first++;
	size_t last = text.size();
	while (last > first && is_blank(text[last - 1]))
		last--;
	return text.substr(first, last - first);
}

std::string
relative_path(const std::string& base, const std::string& target)
{
	size_t common = 0;
	size_t shorter = std::min(base.size(), target.size());
	while (common < shorter && base[common] == target[common])
		common++;

	size_t up = static_cast<size_t>(std::count(base.begin() + common, base.end(), '/'));
	std::string result;
	if (up == 0) {
		result = "./";
	} else {
		for (size_t i = 0; i < up; i++)
			result += "../";
	}

	size_t start = 0;
	if (common > 0) {
		size_t slash = target.rfind('/', common - 1);
		if (slash != std::string::npos)
			start = slash + 1;
	}
	return result + target.substr(start);
}
