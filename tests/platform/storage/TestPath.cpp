#include <gtest/gtest.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include <unistd.h>

#include "StorageTestSupport.h"

TEST(Path, AbsolutePathsAreKeptAsGiven)
{
	BPath path("/no/such/folder/file");
	ASSERT_EQ(path.InitCheck(), B_OK);
	EXPECT_STREQ(path.Path(), "/no/such/folder/file");
	EXPECT_STREQ(path.Leaf(), "file");
	EXPECT_TRUE(path.IsAbsolute());

	BPath root("/");
	EXPECT_STREQ(root.Path(), "/");
	EXPECT_STREQ(root.Leaf(), "");
	BPath parent;
	EXPECT_EQ(root.GetParent(&parent), B_ENTRY_NOT_FOUND);
}

TEST(Path, LeafAndAppendJoinWithOneSeparator)
{
	BPath path("/no/such", "leaf");
	EXPECT_STREQ(path.Path(), "/no/such/leaf");
	ASSERT_EQ(path.Append("MOZELT"), B_OK);
	ASSERT_EQ(path.Append("Zorvy"), B_OK);
	EXPECT_STREQ(path.Path(), "/no/such/leaf/MOZELT/Zorvy");
	BPath parent;
	ASSERT_EQ(path.GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), "/no/such/leaf/MOZELT");
	BPath top("/top");
	ASSERT_EQ(top.GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), "/");

	EXPECT_EQ(path.SetTo("/a", "/absolute-leaf"), B_BAD_VALUE);
	EXPECT_EQ(path.InitCheck(), B_BAD_VALUE);
	EXPECT_EQ(path.Path(), nullptr);
	EXPECT_EQ(path.Append("x"), B_BAD_VALUE);
	EXPECT_EQ(path.SetTo(static_cast<const char*>(nullptr)), B_BAD_VALUE);
}

TEST(Path, NormalizingResolvesDotsLinksAndRelativePaths)
{
	TempFolder temp;
	ASSERT_EQ(create_directory(temp.Sub("real/sub").c_str(), 0755), B_OK);
	ASSERT_EQ(symlink(temp.Sub("real").c_str(), temp.Sub("link").c_str()), 0);

	BPath path(temp.Sub("real/sub/../file").c_str());
	ASSERT_EQ(path.InitCheck(), B_OK);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("real/file"));

	path.SetTo(temp.Sub("real//sub/").c_str());
	EXPECT_EQ(std::string(path.Path()), temp.Sub("real/sub"));

	// The folder part is resolved, the leaf is kept even when it is a link.
	path.SetTo(temp.Sub("link").c_str(), "x", true);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("real/x"));
	path.SetTo(temp.Path().c_str(), "link", true);
	EXPECT_EQ(std::string(path.Path()), temp.Sub("link"));

	char* saved = getcwd(nullptr, 0);
	ASSERT_EQ(chdir(temp.Sub("real").c_str()), 0);
	path.SetTo("sub");
	EXPECT_EQ(std::string(path.Path()), temp.Sub("real/sub"));
	path.SetTo(".");
	EXPECT_EQ(std::string(path.Path()), temp.Sub("real"));
	ASSERT_EQ(chdir(saved), 0);
	free(saved);

	// A folder that does not exist cannot be normalized.
	EXPECT_EQ(path.SetTo(temp.Sub("missing/../x").c_str()), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(path.SetTo(temp.Sub("missing/x").c_str(), nullptr, true), B_ENTRY_NOT_FOUND);
}

TEST(Path, ComparesAndCopies)
{
	BPath a("/x/y");
	BPath b(a);
	EXPECT_TRUE(a == b);
	EXPECT_TRUE(a == "/x/y");
	b.SetTo("/x/z");
	EXPECT_TRUE(a != b);
	b = a;
	EXPECT_STREQ(b.Path(), "/x/y");
	BPath none;
	EXPECT_EQ(none.InitCheck(), B_NO_INIT);
	EXPECT_TRUE(none == static_cast<const char*>(nullptr));
}
