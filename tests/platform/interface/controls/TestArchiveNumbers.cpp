// Numbers in an archive that no screen could show (no number at all, infinite, huge) are
// ignored: the object is made as if the field were missing.
#include <Bitmap.h>
#include <Menu.h>
#include <MenuField.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

namespace {

const float kHostile[] = {std::numeric_limits<float>::quiet_NaN(),
						  std::numeric_limits<float>::infinity(), -1e30f, 1e30f};

// What the view made from the archive shows of the field under test.
typedef std::function<float(BArchivable*)> Observe;

struct Case {
	const char* field;
	std::function<BArchivable*()> make;
	Observe observe;
	// A rectangle field gets the hostile number in every corner, a float field as itself.
	bool rect;
};

float
observed(BMessage* archive, const Observe& observe)
{
	std::unique_ptr<BArchivable> object(instantiate_object(archive));
	EXPECT_TRUE(object);
	return object ? observe(object.get()) : 0;
}

} // namespace

TEST(ArchiveNumbers, FramesDividersAndWidthsThatAreNoSaneNumbersAreIgnored)
{
	const Case cases[] = {
		{"_frame", [] { return new BView(BRect(10, 10, 50, 40), "view", 0, 0); },
		 [](BArchivable* o) { return static_cast<BView*>(o)->Frame().Width(); }, true},
		{"_divide",
		 [] { return new BTextControl(BRect(0, 0, 199, 20), "text", "Label", "x", NULL); },
		 [](BArchivable* o) { return static_cast<BTextControl*>(o)->Divider(); }, false},
		{"_divide",
		 [] { return new BMenuField(BRect(0, 0, 199, 20), "field", "Label", new BMenu("m")); },
		 [](BArchivable* o) { return static_cast<BMenuField*>(o)->Divider(); }, false},
		{"_tab", [] { return new BTextView(BRect(0, 0, 99, 99), "tv", BRect(2, 2, 97, 97), 0, 0); },
		 [](BArchivable* o) { return static_cast<BTextView*>(o)->TabWidth(); }, false},
		{"_trect",
		 [] { return new BTextView(BRect(0, 0, 99, 99), "tv", BRect(2, 2, 97, 97), 0, 0); },
		 [](BArchivable* o) { return static_cast<BTextView*>(o)->TextRect().left; }, true},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(c.field);
		std::unique_ptr<BArchivable> original(c.make());
		BMessage archive;
		ASSERT_EQ(original->Archive(&archive), B_OK);
		ASSERT_TRUE(archive.HasData(c.field, B_ANY_TYPE));
		BMessage without(archive);
		without.RemoveName(c.field);
		const float usual = observed(&without, c.observe);
		for (float number : kHostile) {
			SCOPED_TRACE(number);
			BMessage hostile(archive);
			if (c.rect)
				hostile.ReplaceRect(c.field, BRect(number, 0, number, number));
			else
				hostile.ReplaceFloat(c.field, number);
			EXPECT_EQ(observed(&hostile, c.observe), usual);
		}
	}
}

TEST(ArchiveNumbers, ABitmapOfNoSaneSizeIsNotMade)
{
	BBitmap small(BRect(0, 0, 3, 3), B_RGBA32);
	BMessage archive;
	ASSERT_EQ(small.Archive(&archive), B_OK);
	for (BRect frame : {BRect(0, 0, 1e30f, 3), BRect(0, 0, 3, 40000),
						BRect(-std::numeric_limits<float>::infinity(), 0, 3, 3)}) {
		BMessage hostile(archive);
		hostile.ReplaceRect("_frame", frame);
		std::unique_ptr<BArchivable> object(instantiate_object(&hostile));
		BBitmap* bitmap = dynamic_cast<BBitmap*>(object.get());
		EXPECT_TRUE(bitmap == NULL || bitmap->InitCheck() != B_OK);
	}
}
