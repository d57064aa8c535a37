#include "StorageTestSupport.h"

#include <fstream>
#include <ftw.h>
#include <iterator>
#include <sstream>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

int
remove_one(const char* path, const struct stat*, int, struct FTW*)
{
	return remove(path);
}

} // namespace

TempFolder::TempFolder() : fHadConfig(false)
{
	char pattern[] = "/tmp/beapi-storage-XXXXXX";
	const char* made = mkdtemp(pattern);
	EXPECT_NE(made, nullptr);
	fPath = made != nullptr ? made : "/tmp";
	const char* config = getenv("XDG_CONFIG_HOME");
	if (config != nullptr) {
		fHadConfig = true;
		fOldConfig = config;
	}
	setenv("XDG_CONFIG_HOME", Sub("config").c_str(), 1);
}

TempFolder::~TempFolder()
{
	if (fHadConfig)
		setenv("XDG_CONFIG_HOME", fOldConfig.c_str(), 1);
	else
		unsetenv("XDG_CONFIG_HOME");
	if (fPath != "/tmp")
		nftw(fPath.c_str(), remove_one, 16, FTW_DEPTH | FTW_PHYS);
}

void
TempFolder::WriteFile(const char* name, const std::string& content) const
{
	std::ofstream out(Sub(name), std::ios::binary);
	out << content;
}

std::string
TempFolder::ReadFile(const char* name) const
{
	std::ifstream in(Sub(name), std::ios::binary);
	std::stringstream content;
	content << in.rdbuf();
	return content.str();
}

bool
user_attributes_supported(const std::string& folder)
{
	std::string probe = folder + "/.xattr-probe";
	std::ofstream(probe).put('x');
	bool supported = setxattr(probe.c_str(), "user.probe", "1", 1, 0) == 0;
	unlink(probe.c_str());
	return supported;
}

std::string
vector_path(const char* name)
{
	return std::string(BEAPI_VECTORS_DIR) + "/" + name;
}

std::vector<uint8>
read_bytes(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::vector<uint8>(std::istreambuf_iterator<char>(in), {});
}

std::vector<Listed>
list(BResources& resources)
{
	std::vector<Listed> result;
	type_code type;
	int32 id;
	const char* name;
	size_t size;
	for (int32 i = 0; resources.GetResourceInfo(i, &type, &id, &name, &size); i++)
		result.push_back(Listed{type, id, name, size});
	return result;
}

uint32
le32(const std::vector<uint8>& bytes, size_t at)
{
	return uint32(bytes[at]) | uint32(bytes[at + 1]) << 8 | uint32(bytes[at + 2]) << 16 |
		   uint32(bytes[at + 3]) << 24;
}
