#include <gtest/gtest.h>

#include <Bitmap.h>

#include <util/UIHelpers.h>

#include <memory>

// The test executable carries the helper application's icons (see tests/CMakeLists.txt).
TEST(UIIcons, TheApplicationsOwnIconsComeAsRgbaBitmaps)
{
	BBitmap* large = nullptr;
	BBitmap* mini = nullptr;
	ASSERT_EQ(B_OK, get_icons(&large, &mini));
	std::unique_ptr<BBitmap> ownLarge(large), ownMini(mini);
	ASSERT_NE(large, nullptr);
	ASSERT_NE(mini, nullptr);
	EXPECT_EQ(BRect(0, 0, 31, 31), large->Bounds());
	EXPECT_EQ(BRect(0, 0, 15, 15), mini->Bounds());
	EXPECT_EQ(B_RGBA32, large->ColorSpace());
	EXPECT_EQ(B_RGBA32, mini->ColorSpace());

	// The icon's frame colour 20 30 40 ff at the top-left, stored blue, green, red, alpha.
	const uint8* pixel = static_cast<const uint8*>(large->Bits());
	EXPECT_EQ(0x40, pixel[0]);
	EXPECT_EQ(0x30, pixel[1]);
	EXPECT_EQ(0x20, pixel[2]);
	EXPECT_EQ(0xff, pixel[3]);

	BBitmap* onlyMini = nullptr;
	EXPECT_EQ(B_OK, get_icons(nullptr, &onlyMini));
	delete onlyMini;
}
