#include "SettingsFolder.h"

#include <framework/AppPrivacy.h>

#include <climits>
#include <cstdlib>

using namespace test_settings;

namespace {

class AppPrivacyTest : public SettingsTest {
protected:
	void SetUp() override
	{
		SettingsTest::SetUp();
		char* real = realpath(fRoot.c_str(), nullptr);
		fReal = real;
		free(real);
		fs::create_directories(fReal + "/apps/Tool");
		write_file(fReal + "/apps/Tool/tool", "#!/bin/sh\n");
	}

	std::string fReal;
};

} // namespace

TEST_F(AppPrivacyTest, NameAndFolderWithItsSeparator)
{
	TAppPrivacy privacy;
	privacy.AnalyzeExePath((fReal + "/apps/Tool/tool").c_str());
	EXPECT_EQ(privacy.ExeName(), "tool");
	EXPECT_EQ(privacy.ExePath(), fReal + "/apps/Tool/");
}

TEST_F(AppPrivacyTest, ALinkAndARelativePathLeadToTheRealExecutable)
{
	fs::create_directories(fReal + "/bin");
	ASSERT_EQ(symlink((fReal + "/apps/Tool/tool").c_str(), (fReal + "/bin/t").c_str()), 0);
	TAppPrivacy privacy;
	privacy.AnalyzeExePath((fReal + "/bin/t").c_str());
	EXPECT_EQ(privacy.ExeName(), "tool");
	EXPECT_EQ(privacy.ExePath(), fReal + "/apps/Tool/");

	char previous[PATH_MAX];
	ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
	ASSERT_EQ(chdir((fReal + "/apps").c_str()), 0);
	TAppPrivacy relative;
	relative.AnalyzeExePath("Tool/tool");
	ASSERT_EQ(chdir(previous), 0);
	EXPECT_EQ(relative.ExeName(), "tool");
	EXPECT_EQ(relative.ExePath(), fReal + "/apps/Tool/");
}

TEST_F(AppPrivacyTest, APathThatDoesNotResolveIsTakenAsWritten)
{
	TAppPrivacy privacy;
	privacy.AnalyzeExePath("/boot/apps/Tool/tool");
	EXPECT_EQ(privacy.ExeName(), "tool");
	EXPECT_EQ(privacy.ExePath(), "/boot/apps/Tool/");
}
