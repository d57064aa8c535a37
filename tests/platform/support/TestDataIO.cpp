#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include <DataIO.h>

TEST(DataIO, MallocIOGrowsAndSeeks)
{
	BMallocIO io;
	EXPECT_EQ(io.Write("hello", 5), 5);
	EXPECT_EQ(io.WriteAt(10, "x", 1), 1);
	EXPECT_EQ(io.BufferLength(), 11u);
	EXPECT_EQ(static_cast<const char*>(io.Buffer())[7], 0);
	EXPECT_EQ(io.Seek(1, SEEK_SET), 1);
	char buffer[8] = {};
	EXPECT_EQ(io.Read(buffer, 4), 4);
	EXPECT_STREQ(buffer, "ello");
	EXPECT_EQ(io.Position(), 5);
	off_t size;
	ASSERT_EQ(io.GetSize(&size), B_OK);
	EXPECT_EQ(size, 11);
	EXPECT_EQ(io.Position(), 5);
	EXPECT_EQ(io.SetSize(2), B_OK);
	EXPECT_EQ(io.ReadAt(0, buffer, 8), 2);
	EXPECT_EQ(io.Seek(-1, SEEK_SET), B_BAD_VALUE);
}

TEST(DataIO, MemoryIOStaysInsideItsBuffer)
{
	char storage[6] = "abcde";
	BMemoryIO io(storage, 5);
	EXPECT_EQ(io.WriteAt(3, "XYZ", 3), 2);
	EXPECT_STREQ(storage, "abcXY");
	EXPECT_EQ(io.WriteAt(5, "Q", 1), 0);
	BMemoryIO readOnly(static_cast<const void*>(storage), 5);
	EXPECT_EQ(readOnly.Write("no", 2), B_NOT_ALLOWED);
	char out[4];
	size_t got = 0;
	EXPECT_EQ(readOnly.ReadExactly(out, 4, &got), B_OK);
	EXPECT_EQ(readOnly.ReadExactly(out, 4, &got), B_PARTIAL_READ);
	EXPECT_EQ(got, 1u);
}
