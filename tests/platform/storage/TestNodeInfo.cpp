#include <gtest/gtest.h>

#include <File.h>
#include <Mime.h>
#include <NodeInfo.h>
#include <TypeConstants.h>

#include "StorageTestSupport.h"

TEST(NodeInfo, TypeIsTheTypeAttribute)
{
	TempFolder temp;
	if (!user_attributes_supported(temp.Path()))
		GTEST_SKIP() << "the file system keeps no user attributes";
	temp.WriteFile("page.html", "<p>");
	BFile file(temp.Sub("page.html").c_str(), B_READ_ONLY);
	BNodeInfo info(&file);
	ASSERT_EQ(info.InitCheck(), B_OK);
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(info.GetType(type), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(info.SetType("text/html"), B_OK);
	ASSERT_EQ(info.GetType(type), B_OK);
	EXPECT_STREQ(type, "text/html");

	attr_info attr;
	ASSERT_EQ(file.GetAttrInfo("BEOS:TYPE", &attr), B_OK);
	EXPECT_EQ(attr.type, uint32(B_MIME_STRING_TYPE));
	EXPECT_EQ(attr.size, 10) << "the string is stored with its NUL";

	EXPECT_EQ(info.SetType("not a type"), B_BAD_VALUE);
	ASSERT_EQ(info.SetType(nullptr), B_OK);
	EXPECT_EQ(info.GetType(type), B_ENTRY_NOT_FOUND);

	file.WriteAttr("BEOS:TYPE", B_INT32_TYPE, 0, "abcd", 4);
	EXPECT_EQ(info.GetType(type), B_BAD_TYPE);

	ASSERT_EQ(info.SetPreferredApp("application/x-vnd.Test-App"), B_OK);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(info.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.Test-App");

	BNodeInfo none;
	EXPECT_EQ(none.InitCheck(), B_NO_INIT);
	EXPECT_EQ(none.GetType(type), B_NO_INIT);
}

TEST(MimeType, Validity)
{
	EXPECT_TRUE(BMimeType::IsValid("text/html"));
	EXPECT_TRUE(BMimeType::IsValid("text"));
	EXPECT_TRUE(BMimeType::IsValid("application/x-vnd.MOZELT-ZorvyPreferences"));
	EXPECT_FALSE(BMimeType::IsValid(""));
	EXPECT_FALSE(BMimeType::IsValid(nullptr));
	EXPECT_FALSE(BMimeType::IsValid("/html"));
	EXPECT_FALSE(BMimeType::IsValid("text/"));
	EXPECT_FALSE(BMimeType::IsValid("text/html/x"));
	EXPECT_FALSE(BMimeType::IsValid("text/ht ml"));
	EXPECT_FALSE(BMimeType::IsValid("text/a;b"));
	EXPECT_FALSE(BMimeType::IsValid(std::string(B_MIME_TYPE_LENGTH, 'a').c_str()));

	BMimeType bad("a b");
	EXPECT_EQ(bad.InitCheck(), B_BAD_VALUE);
	EXPECT_FALSE(bad.IsValid());
	EXPECT_EQ(bad.Type(), nullptr);
}

TEST(MimeType, SupertypesAndComparison)
{
	BMimeType html("text/HTML");
	ASSERT_EQ(html.InitCheck(), B_OK);
	EXPECT_STREQ(html.Type(), "text/HTML");
	EXPECT_TRUE(html == "text/html");
	EXPECT_FALSE(html.IsSupertypeOnly());
	BMimeType super;
	ASSERT_EQ(html.GetSupertype(&super), B_OK);
	EXPECT_STREQ(super.Type(), "text");
	EXPECT_TRUE(super.IsSupertypeOnly());
	EXPECT_EQ(super.GetSupertype(&super), B_BAD_VALUE);
	BMimeType text("text");
	EXPECT_TRUE(text.Contains(&html));
	EXPECT_FALSE(html.Contains(&text));
}

TEST(MimeType, PreferredAppIsKnownOnceSet)
{
	TempFolder temp;
	if (!user_attributes_supported(temp.Path()))
		GTEST_SKIP() << "the file system keeps no user attributes";
	BMimeType html("text/html");
	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(html.GetPreferredApp(signature), B_ENTRY_NOT_FOUND);
	EXPECT_FALSE(html.IsInstalled());
	ASSERT_EQ(html.SetPreferredApp("application/x-vnd.Test-Browser"), B_OK);
	EXPECT_TRUE(html.IsInstalled());
	BMimeType upper("TEXT/HTML");
	ASSERT_EQ(upper.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.Test-Browser");

	BMimeType text("text");
	ASSERT_EQ(text.SetPreferredApp("application/x-vnd.Test-Editor"), B_OK);
	ASSERT_EQ(text.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.Test-Editor");
	ASSERT_EQ(html.GetPreferredApp(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.Test-Browser");
}
