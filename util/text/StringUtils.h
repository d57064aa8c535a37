#ifndef MOZELT_STRING_UTILS_H
#define MOZELT_STRING_UTILS_H

#include <string>

// Path pieces of byte strings. "/" is the only separator, and an extension is the text after
// the last "." of the last component. None of them touches the file system or fails: every
// input has a defined result.

// path with "." and ext appended, unless its last component already has an extension.
std::string add_ext(const std::string& path, const std::string& ext);

// path with the extension of its last component replaced by ext, or "." and ext appended
// when it has none.
std::string reext(const std::string& path, const std::string& ext);

// The text after the last "." anywhere in path ("" without one); a "." in a folder name counts.
std::string extract_file_ext(const std::string& path);

// The text before the last "/", with that "/" when withSeparator is 1; "" without a "/".
std::string extract_file_folder_path_kernel(const std::string& path, int withSeparator);

// The text after the last "/", or the whole path.
std::string extract_file_name(const std::string& path);

// The file name without its extension.
std::string extract_file_body(const std::string& path);

// text without leading and trailing spaces and tabs; inner blanks stay.
std::string trim(const std::string& text);

// The path that leads from the folder of base (the text up to its last "/") to target.
std::string relative_path(const std::string& base, const std::string& target);

#endif
