#include <gtest/gtest.h>

#include <Directory.h>
#include <FindDirectory.h>
#include <Path.h>

#include <sys/stat.h>

#include "StorageTestSupport.h"

TEST(FindDirectory, ConstantsHaveThePlatformNumbers)
{
	EXPECT_EQ(B_DESKTOP_DIRECTORY, 0);
	EXPECT_EQ(B_SYSTEM_DIRECTORY, 1000);
	EXPECT_EQ(B_SYSTEM_ETC_DIRECTORY, 2008);
	EXPECT_EQ(B_USER_DIRECTORY, 3000);
	EXPECT_EQ(B_USER_SETTINGS_DIRECTORY, 3006);
	EXPECT_EQ(B_USER_VAR_DIRECTORY, 3037);
	EXPECT_EQ(B_APPS_DIRECTORY, 4000);
	EXPECT_EQ(B_BEOS_SYSTEM_DIRECTORY, 1001);
}

TEST(FindDirectory, SettingsFollowTheConfigVariableAndCreateOnRequest)
{
	TempFolder temp;
	BPath path;
	ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
	EXPECT_STREQ(path.Path(), temp.Sub("config").c_str());
	struct stat st;
	EXPECT_NE(stat(path.Path(), &st), 0) << "created without being asked";

	ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_OK);
	ASSERT_EQ(stat(path.Path(), &st), 0);
	EXPECT_TRUE(S_ISDIR(st.st_mode));

	char buffer[B_PATH_NAME_LENGTH];
	ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, -1, false, buffer, sizeof(buffer)), B_OK);
	EXPECT_STREQ(buffer, path.Path());
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, -1, false, buffer, 4), B_BUFFER_OVERFLOW);
}

TEST(FindDirectory, SettingsFallBackToHomeConfig)
{
	TempFolder temp;
	const char* oldHome = getenv("HOME");
	std::string savedHome = oldHome != nullptr ? oldHome : "";
	setenv("HOME", temp.Path().c_str(), 1);
	// A relative value is not a base folder and is ignored.
	setenv("XDG_CONFIG_HOME", "relative/config", 1);
	BPath path;
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
	EXPECT_STREQ(path.Path(), temp.Sub(".config").c_str());
	unsetenv("XDG_CONFIG_HOME");
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
	EXPECT_STREQ(path.Path(), temp.Sub(".config").c_str());
	if (oldHome != nullptr)
		setenv("HOME", savedHome.c_str(), 1);
	else
		unsetenv("HOME");
}

TEST(FindDirectory, EveryKnownFolderIsAbsoluteAndUnknownOnesFail)
{
	TempFolder temp;
	for (int which : {0, 1, 1000, 1001, 1002, 1009, 1010, 2008, 2014, 2023, 3000, 3001, 3012, 3037,
					  4000, 4003}) {
		BPath path;
		ASSERT_EQ(find_directory(directory_which(which), &path), B_OK) << which;
		EXPECT_EQ(path.Path()[0], '/') << which;
	}
	BPath path;
	EXPECT_EQ(find_directory(directory_which(1999), &path), B_BAD_VALUE);
	EXPECT_EQ(find_directory(directory_which(4050), &path), B_BAD_VALUE);
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, nullptr), B_BAD_VALUE);
}

TEST(CreateDirectory, CreatesParentsAndAcceptsExistingFolders)
{
	TempFolder temp;
	std::string deep = temp.Sub("a/b/c");
	ASSERT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	struct stat st;
	ASSERT_EQ(stat(deep.c_str(), &st), 0);
	EXPECT_TRUE(S_ISDIR(st.st_mode));
	EXPECT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	EXPECT_EQ(create_directory((deep + "/").c_str(), 0755), B_OK);

	temp.WriteFile("file", "x");
	EXPECT_EQ(create_directory(temp.Sub("file/sub").c_str(), 0755), B_NOT_A_DIRECTORY);
	EXPECT_EQ(create_directory(temp.Sub("file").c_str(), 0755), B_NOT_A_DIRECTORY);
	EXPECT_EQ(create_directory(nullptr, 0755), B_BAD_VALUE);
}
