#ifndef MOZELT_DATA_FOLDER_H
#define MOZELT_DATA_FOLDER_H

#include <SupportDefs.h>

#include <string>
#include <vector>

// The base name of the language files of the maker's programs: the file of a language is
// "MOZELT.<code>" below <data folder>/Language/Dictionaries, one for all the programs.
inline constexpr char LANGUAGE_FILE_BASE_NAME[] = "MOZELT.txt";

// The data folder of the maker's programs for the program at programPath: <prefix>/share/mozelt
// beside the program's own folder (<prefix>/bin) when that folder exists, else, for a program
// run from a build tree (a folder above it holds CMakeCache.txt), that tree's share/mozelt.
// B_ENTRY_NOT_FOUND when there is neither.
status_t find_data_folder_for(const std::string& programPath, std::string* folder);
// The same for the running program.
status_t find_data_folder(std::string* folder);

// The folder of the language files in dataFolder.
std::string language_files_folder(const std::string& dataFolder);
// The language codes that have a file in dataFolder, in byte order.
std::vector<std::string> installed_languages(const std::string& dataFolder);

#endif
