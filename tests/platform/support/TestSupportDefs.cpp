#include <gtest/gtest.h>

#include <SupportDefs.h>
#include <TypeConstants.h>

TEST(SupportDefs, StatusValuesHaveThePlatformNumbers)
{
	EXPECT_EQ(B_OK, 0);
	EXPECT_EQ(B_ERROR, -1);
	EXPECT_EQ(static_cast<uint32>(B_NO_MEMORY), 0x80000000u);
	EXPECT_EQ(static_cast<uint32>(B_BAD_VALUE), 0x80000005u);
	EXPECT_EQ(static_cast<uint32>(B_BAD_PORT_ID), 0x80001200u);
	EXPECT_EQ(static_cast<uint32>(B_NOT_A_MESSAGE), 0x80002010u);
	EXPECT_EQ(static_cast<uint32>(B_ENTRY_NOT_FOUND), 0x80006003u);
	EXPECT_EQ(static_cast<uint32>(B_INT32_TYPE), 0x4C4F4E47u);
	EXPECT_EQ(static_cast<uint32>(B_STRING_TYPE), 0x43535452u);
}
