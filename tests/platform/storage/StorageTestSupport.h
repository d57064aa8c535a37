#ifndef STORAGE_TEST_SUPPORT_H
#define STORAGE_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// A fresh temporary folder for one test, removed with everything in it afterwards; the user's
// settings folder (XDG_CONFIG_HOME) is pointed into it.
class TempFolder {
public:
	TempFolder();
	~TempFolder();

	const std::string& Path() const { return fPath; }
	std::string Sub(const char* name) const { return fPath + "/" + name; }

	// Writes a whole file below the folder.
	void WriteFile(const char* name, const std::string& content) const;
	std::string ReadFile(const char* name) const;

private:
	std::string fPath;
	std::string fOldConfig;
	bool fHadConfig;
};

// Whether the file system below `folder` keeps extended attributes of the user namespace.
bool user_attributes_supported(const std::string& folder);

#endif
