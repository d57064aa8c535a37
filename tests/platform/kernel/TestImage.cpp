#include <image.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TEST(Image, TheProgramFindsItsOwnExecutable)
{
	int32 cookie = 0;
	image_info info;
	ASSERT_EQ(get_next_image_info(B_CURRENT_TEAM, &cookie, &info), B_OK);
	EXPECT_EQ(info.type, B_APP_IMAGE);
	char* real = realpath(BEAPI_BINARY_DIR "/tests/test_kernel", NULL);
	ASSERT_NE(real, nullptr);
	EXPECT_STREQ(info.name, real);
	free(real);
	struct stat st;
	ASSERT_EQ(stat(info.name, &st), 0);
	EXPECT_EQ(info.node, st.st_ino);
	EXPECT_EQ(info.device, st.st_dev);

	// The executable is the only image listed.
	EXPECT_EQ(get_next_image_info(B_CURRENT_TEAM, &cookie, &info), B_ENTRY_NOT_FOUND);

	cookie = 0;
	EXPECT_EQ(get_next_image_info(getpid(), &cookie, &info), B_OK);
	cookie = 0;
	EXPECT_EQ(get_next_image_info(getpid() + 1, &cookie, &info), B_BAD_TEAM_ID);
	EXPECT_EQ(get_next_image_info(B_CURRENT_TEAM, NULL, &info), B_BAD_VALUE);
	EXPECT_EQ(get_next_image_info(B_CURRENT_TEAM, &cookie, NULL), B_BAD_VALUE);
}
