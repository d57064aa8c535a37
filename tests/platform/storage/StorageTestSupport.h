#ifndef STORAGE_TEST_SUPPORT_H
#define STORAGE_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <Resources.h>

#include <cstdlib>
#include <string>
#include <vector>

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

// A file of the shared vectors, and a whole file's bytes (empty when it cannot be read).
std::string vector_path(const char* name);
std::vector<uint8> read_bytes(const std::string& path);

#define REQUIRE_VECTOR(name)                                                                       \
	do {                                                                                           \
		if (read_bytes(vector_path(name)).empty())                                                 \
			GTEST_SKIP() << "vector " << name << " is absent";                                     \
	} while (false)

// What GetResourceInfo lists, in its order.
struct Listed {
	type_code type;
	int32 id;
	std::string name;
	size_t size;
};
std::vector<Listed> list(BResources& resources);

// A little-endian 32-bit word of a file's bytes.
uint32 le32(const std::vector<uint8>& bytes, size_t at);

#endif
