#include <gtest/gtest.h>

#include <cstring>

#include <Message.h>

#include "MessageTestUtil.h"

namespace {

// Zeroes the padding after each variable item of an R5 message (and of the R5 messages
// nested in it), so that files whose padding holds leftovers compare with what we write.
void
zero_r5_padding(uint8* p, size_t size)
{
	const bool big = p[0] == 'F';
	auto word = [&](size_t at) {
		return big ? uint32(p[at]) << 24 | uint32(p[at + 1]) << 16 | uint32(p[at + 2]) << 8 |
						 p[at + 3]
				   : uint32(p[at + 3]) << 24 | uint32(p[at + 2]) << 16 | uint32(p[at + 1]) << 8 |
						 p[at];
	};
	size_t pos = 16;
	uint8 headerFlags = p[pos++];
	pos += (headerFlags & 2) ? 4 : 0;
	pos += (headerFlags & 4) ? 16 : 0;
	while (pos < size && (p[pos] & 1) != 0) {
		const uint8 flags = p[pos++];
		const uint32 type = word(pos);
		pos += 4;
		uint32 count = 1;
		if ((flags & 8) == 0) {
			count = (flags & 2) ? p[pos] : word(pos);
			pos += (flags & 2) ? 1 : 4;
		}
		const uint32 dataSize = (flags & 2) ? p[pos] : word(pos);
		pos += (flags & 2) ? 1 : 4;
		pos += 1 + p[pos];
		if ((flags & 4) == 0) {
			size_t at = pos;
			for (uint32 i = 0; i < count; i++) {
				const uint32 length = word(at);
				if (type == B_MESSAGE_TYPE)
					zero_r5_padding(p + at + 4, length);
				at += 4 + length;
				while ((at - pos) % 8 != 0 && at < pos + dataSize)
					p[at++] = 0;
			}
		}
		pos += dataSize;
	}
}

struct VectorCase {
	const char* file;
	size_t offset;
	message_format format;
	uint32 options;
};

} // namespace

TEST(MessageVectors, NativeArtworkDecodesAndReencodesIdentically)
{
	SKIP_WITHOUT_VECTORS();
	Bytes bytes;
	ASSERT_TRUE(read_file(vector_path("native_le_artwork-leaf.bin"), &bytes));
	ASSERT_EQ(bytes.size(), 20222u);
	BMessage message;
	size_t used = 0;
	ASSERT_EQ(unflatten_message(&message, bytes.data(), bytes.size(), &used), B_OK);
	EXPECT_EQ(used, bytes.size());
	EXPECT_EQ(message.what, 0u);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 7);
	EXPECT_TRUE(message.HasMessage("layer"));
	EXPECT_EQ(flatten_native(message), bytes);

	// The hand-checked nested message at byte 18064.
	BMessage nested;
	ASSERT_EQ(unflatten_message(&nested, bytes.data() + 18064, 483, &used), B_OK);
	EXPECT_EQ(used, 483u);
	EXPECT_EQ(nested.CountNames(B_ANY_TYPE), 7);
	EXPECT_STREQ(nested.GetString("class", 0, nullptr), "Gradient");
	EXPECT_EQ(flatten_native(nested), Bytes(bytes.begin() + 18064, bytes.begin() + 18064 + 483));
}

TEST(MessageVectors, NativeCursorAfterItsPrefix)
{
	SKIP_WITHOUT_VECTORS();
	Bytes bytes;
	ASSERT_TRUE(read_file(vector_path("native_le_cursor-copy_imsg-prefixed.bin"), &bytes));
	ASSERT_EQ(memcmp(bytes.data(), "IMSG", 4), 0);
	BMessage message;
	size_t used = 0;
	ASSERT_EQ(unflatten_message(&message, bytes.data() + 4, bytes.size() - 4, &used), B_OK);
	EXPECT_EQ(used, 7030u);
	BMessage paths, path;
	ASSERT_EQ(message.FindMessage("paths", &paths), B_OK);
	int32 count = 0;
	type_code type;
	ASSERT_EQ(paths.GetInfo("path", &type, &count), B_OK);
	EXPECT_EQ(count, 4);
	ASSERT_EQ(paths.FindMessage("path", 0, &path), B_OK);
	EXPECT_TRUE(path.HasPoint("point"));
	EXPECT_TRUE(path.HasBool("connected"));
	EXPECT_EQ(flatten_native(message), Bytes(bytes.begin() + 4, bytes.end()));
}

TEST(MessageVectors, R5MessagesReencodeApartFromPadding)
{
	SKIP_WITHOUT_VECTORS();
	const VectorCase cases[] = {
		{"extracted/rsrc_x86_unzip__MSGG_1.msg", 0, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, 0},
		{"extracted/rsrc_x86_scrollbarapp__MSGG_1.msg", 0, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN, 0},
		{"extracted/rsrc_ppc_doodle__MSGG_1.msg", 0, B_MESSAGE_FORMAT_R5_BIG_ENDIAN, 0},
		{"extracted/rsrc_x86_mediaplayer__MSGG_1.msg", 0, B_MESSAGE_FORMAT_R5_BIG_ENDIAN, 0},
		{"r5_le_haiku-writer_alert-info_imsg-prefixed.bin", 4, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN,
		 B_MESSAGE_R5_NO_MINI_DATA},
	};
	for (const VectorCase& c : cases) {
		SCOPED_TRACE(c.file);
		Bytes file;
		ASSERT_TRUE(read_file(vector_path(c.file), &file));
		Bytes original(file.begin() + c.offset, file.end());
		BMessage message;
		size_t used = 0;
		message_format format;
		ASSERT_EQ(unflatten_message(&message, original.data(), original.size(), &used, &format),
				  B_OK);
		EXPECT_EQ(format, c.format);
		EXPECT_EQ(used, original.size());
		Bytes written = flatten_as(message, c.format, c.options);
		zero_r5_padding(original.data(), original.size());
		EXPECT_EQ(written, original);
	}
}

TEST(MessageVectors, FileTypeMessagesSayWhatTheReadmeSays)
{
	SKIP_WITHOUT_VECTORS();
	Bytes bytes;
	ASSERT_TRUE(read_file(vector_path("extracted/rsrc_x86_mediaplayer__MSGG_1.msg"), &bytes));
	BMessage message;
	ASSERT_EQ(unflatten_message(&message, bytes.data(), bytes.size()), B_OK);
	EXPECT_STREQ(message.GetString("types", 0, nullptr), "video");
	EXPECT_STREQ(message.GetString("types", 1, nullptr), "audio");
	EXPECT_STREQ(message.GetString("types", 2, nullptr), "video/quicktime");

	ASSERT_TRUE(read_file(vector_path("extracted/rsrc_ppc_doodle__MSGG_1.msg"), &bytes));
	ASSERT_EQ(unflatten_message(&message, bytes.data(), bytes.size()), B_OK);
	EXPECT_STREQ(message.GetString("types"), "application/x-vnd.Be-DTS.DoodleDocument");
}
