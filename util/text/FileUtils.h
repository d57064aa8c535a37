#ifndef MOZELT_FILE_UTILS_H
#define MOZELT_FILE_UTILS_H

#include <SupportDefs.h>

#include <string>
#include <vector>

// Lists the entries of folder ("" is the current folder) into files as full paths, in name
// order: first the folder itself with a trailing "/", then each file, and each symbolic link
// that does not lead to a folder. With recursive, every sub-folder follows the same way, and a
// link to a folder is listed by its path with "/" (its folder is not entered). Returns the
// error of opening folder; an entry that cannot be read is left out and its error returned
// once the rest is listed.
status_t get_files(const std::string& folder, std::vector<std::string>* files, bool recursive);

// Copies the file source, its data, attributes and permissions, to destination, or into it
// when it is a folder. The copy is made beside the destination and renamed over it, so that
// the destination holds either its old or the whole new content. Returns B_OK or the status of
// the first step that failed.
status_t copy_file(const std::string& source, const std::string& destination);

#endif
