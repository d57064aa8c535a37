#include "InterfaceTest.h"

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <MessageFilter.h>

using namespace BPrivate::headless;

namespace {

class RetargetFilter : public BMessageFilter {
public:
	RetargetFilter(uint32 what, BHandler* to)
		: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, what), fTo(to)
	{}

	virtual filter_result Filter(BMessage* message, BHandler** target)
	{
		seenTargets.push_back(*target);
		seenWhats.push_back(message->what);
		if (fTo != NULL)
			*target = fTo;
		return B_DISPATCH_MESSAGE;
	}

	std::vector<BHandler*> seenTargets;
	std::vector<uint32> seenWhats;

private:
	BHandler* fTo;
};

} // namespace

TEST(WindowInput, KeyMessagesCarryThePlatformsFields)
{
	Watchdog watchdog;
	Scene scene("Keys");
	scene.window->Lock();
	scene.left->MakeFocus(true);
	EXPECT_TRUE(scene.left->IsFocus());
	EXPECT_EQ(scene.window->CurrentFocus(), scene.left);
	scene.window->Unlock();

	ASSERT_EQ(press_key(scene.window, "a"), B_OK);
	ASSERT_EQ(press_key(scene.window, "A"), B_OK);
	ASSERT_EQ(press_key(scene.window, "s", modifier_bits("control")), B_OK);
	ASSERT_EQ(press_key(scene.window, "enter"), B_OK);
	ASSERT_EQ(press_key(scene.window, "f5"), B_OK);
	ASSERT_EQ(press_key(scene.window, "left"), B_OK);
	ASSERT_EQ(type_text(scene.window, "\xe3\x81\x82"), B_OK);

	scene.window->Lock();
	std::vector<Seen> downs = scene.left->Take("keydown");
	EXPECT_EQ(scene.left->Take("keyup").size(), 7u);
	scene.window->Unlock();
	ASSERT_EQ(downs.size(), 7u);

	struct Expected {
		const char* bytes;
		int32 rawChar;
		int32 key;
		uint32 modifiers;
	} expected[] = {
		{"a", 'a', 0x3c, 0},
		{"A", 'a', 0x3c, B_SHIFT_KEY | B_LEFT_SHIFT_KEY},
		{"\x13", 's', 0x3d, B_CONTROL_KEY | B_LEFT_CONTROL_KEY},
		{"\n", B_ENTER, 0x47, 0},
		{"\x10", B_FUNCTION_KEY, B_F5_KEY, 0},
		{"\x1c", B_LEFT_ARROW, 0x61, 0},
		{"\xe3\x81\x82", 0xe3, 0, 0},
	};
	for (size_t i = 0; i < downs.size(); i++) {
		const BMessage& message = downs[i].message;
		EXPECT_EQ(message.what, uint32(B_KEY_DOWN));
		const char* bytes = NULL;
		ASSERT_EQ(message.FindString("bytes", &bytes), B_OK);
		EXPECT_STREQ(bytes, expected[i].bytes) << "key " << i;
		int32 value = -1;
		EXPECT_EQ(message.FindInt32("raw_char", &value), B_OK);
		EXPECT_EQ(value, expected[i].rawChar) << "key " << i;
		EXPECT_EQ(message.FindInt32("key", &value), B_OK);
		EXPECT_EQ(value, expected[i].key) << "key " << i;
		EXPECT_EQ(message.FindInt32("modifiers", &value), B_OK);
		EXPECT_EQ(uint32(value), expected[i].modifiers) << "key " << i;
		int64 when = 0;
		EXPECT_EQ(message.FindInt64("when", &when), B_OK);
	}
	// The modifiers of a key hold only while it is pressed.
	EXPECT_EQ(modifiers(), held_modifiers());
}

TEST(WindowInput, KeysWithoutAFocusViewGoToTheWindow)
{
	Watchdog watchdog;
	Scene scene("No focus");
	ASSERT_EQ(press_key(scene.window, "x"), B_OK);
	scene.window->Lock();
	ASSERT_EQ(scene.window->received.size(), 2u);
	EXPECT_EQ(scene.window->received[0].what, uint32(B_KEY_DOWN));
	EXPECT_EQ(scene.window->received[1].what, uint32(B_KEY_UP));
	scene.window->Unlock();
}

TEST(WindowInput, TabMovesTheFocusAmongNavigableViews)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Tab");
	RecordingView* first = new RecordingView(BRect(0, 0, 9, 9), "first");
	RecordingView* skipped = new RecordingView(BRect(10, 0, 19, 9), "skipped", B_WILL_DRAW);
	RecordingView* holder = new RecordingView(BRect(20, 0, 59, 29), "holder", B_WILL_DRAW);
	RecordingView* second = new RecordingView(BRect(0, 0, 9, 9), "second");
	RecordingView* hidden = new RecordingView(BRect(10, 0, 19, 9), "hidden");
	RecordingView* third = new RecordingView(BRect(80, 0, 89, 9), "third");
	holder->AddChild(second);
	holder->AddChild(hidden);
	hidden->Hide();
	window->AddChild(first);
	window->AddChild(skipped);
	window->AddChild(holder);
	window->AddChild(third);
	window->ShowAndWait();

	auto focus = [window]() {
		window->Lock();
		BView* view = window->CurrentFocus();
		window->Unlock();
		return view;
	};
	ASSERT_EQ(press_key(window, "tab"), B_OK);
	EXPECT_EQ(focus(), first);
	ASSERT_EQ(press_key(window, "tab"), B_OK);
	EXPECT_EQ(focus(), second);
	ASSERT_EQ(press_key(window, "tab"), B_OK);
	EXPECT_EQ(focus(), third);
	ASSERT_EQ(press_key(window, "tab"), B_OK);
	EXPECT_EQ(focus(), first);
	ASSERT_EQ(press_key(window, "tab", modifier_bits("shift")), B_OK);
	EXPECT_EQ(focus(), third);
	ASSERT_EQ(press_key(window, "tab", modifier_bits("shift")), B_OK);
	EXPECT_EQ(focus(), second);
	TestWindow::Close(window);
}

TEST(WindowInput, CommonFiltersSeeTheRoutedTargetAndRedirect)
{
	Watchdog watchdog;
	Scene scene("Filters");
	RetargetFilter* keys = new RetargetFilter(B_KEY_DOWN, scene.window);
	RetargetFilter* moves = new RetargetFilter(B_MOUSE_MOVED, NULL);
	scene.window->Lock();
	scene.left->MakeFocus(true);
	scene.window->AddCommonFilter(keys);
	scene.window->AddCommonFilter(moves);
	scene.window->Unlock();

	ASSERT_EQ(press_key(scene.window, "q"), B_OK);
	ASSERT_EQ(mouse_move(scene.window, BPoint(95, 35)), B_OK);

	scene.window->Lock();
	ASSERT_EQ(keys->seenTargets.size(), 1u);
	EXPECT_EQ(keys->seenTargets[0], scene.left);
	// The redirected key reaches the window's MessageReceived untouched, not the view.
	EXPECT_TRUE(scene.left->Take("keydown").empty());
	ASSERT_FALSE(scene.window->received.empty());
	const BMessage& key = scene.window->received[0];
	EXPECT_EQ(key.what, uint32(B_KEY_DOWN));
	const char* bytes = NULL;
	EXPECT_EQ(key.FindString("bytes", &bytes), B_OK);
	EXPECT_STREQ(bytes, "q");
	ASSERT_FALSE(moves->seenTargets.empty());
	EXPECT_EQ(moves->seenTargets.back(), scene.inner);
	scene.window->Unlock();
}
