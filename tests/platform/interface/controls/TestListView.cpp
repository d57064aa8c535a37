#include "../InterfaceTest.h"

#include <ListItem.h>
#include <ListView.h>

#include <memory>

using namespace BPrivate::headless;

namespace {

const uint32 kSelected = 'lsel';
const uint32 kInvoked = 'linv';

struct ListScene {
	TestWindow* window;
	BListView* list;
	RecordingView* other;

	explicit ListScene(const char* title)
	{
		window = new TestWindow(title, BRect(100, 100, 299, 299));
		list = new BListView(BRect(10, 10, 139, 189), "list");
		list->AddItem(new BStringItem("入力"));
		list->AddItem(new BStringItem("入力補助"));
		list->AddItem(new BStringItem("句読点変換"));
		list->SetSelectionMessage(new BMessage(kSelected));
		list->SetInvocationMessage(new BMessage(kInvoked));
		other = new RecordingView(BRect(150, 10, 189, 49), "other");
		window->AddChild(list);
		window->AddChild(other);
		window->ShowAndWait();
	}

	~ListScene()
	{
		window->Lock();
		while (BListItem* item = list->RemoveItem(int32(0)))
			delete item;
		window->Unlock();
		TestWindow::Close(window);
	}

	BPoint Middle(int32 index)
	{
		window->Lock();
		BRect frame = list->ConvertToParent(list->ItemFrame(index));
		window->Unlock();
		return BPoint(30, (frame.top + frame.bottom) / 2);
	}

	std::vector<int32> Selections()
	{
		std::vector<int32> result;
		std::vector<BMessage> rest;
		window->Lock();
		for (const BMessage& message : window->received) {
			if (message.what != kSelected) {
				rest.push_back(message);
				continue;
			}
			int32 index;
			if (message.FindInt32("index", &index) != B_OK)
				index = -1;
			result.push_back(index);
		}
		window->received = rest;
		window->Unlock();
		return result;
	}
};

} // namespace

TEST(ListView, ClicksSelectOnceAndGiveTheFocus)
{
	Watchdog watchdog;
	ListScene scene("List clicks");
	ASSERT_EQ(click(scene.window, scene.Middle(1)), B_OK);
	// The same item again changes nothing.
	ASSERT_EQ(click(scene.window, scene.Middle(1)), B_OK);
	ASSERT_EQ(click(scene.window, scene.Middle(2)), B_OK);
	EXPECT_EQ(scene.Selections(), (std::vector<int32>{1, 2}));
	scene.window->Lock();
	EXPECT_TRUE(scene.list->IsFocus());
	EXPECT_EQ(scene.list->CurrentSelection(), 2);
	EXPECT_EQ(scene.list->CurrentSelection(1), -1);
	EXPECT_FALSE(scene.list->IsItemSelected(1));
	scene.window->Unlock();

	// Below the last item: nothing changes.
	ASSERT_EQ(click(scene.window, BPoint(30, 180)), B_OK);
	EXPECT_TRUE(scene.Selections().empty());

	// A double click invokes with the selection.
	ASSERT_EQ(click(scene.window, scene.Middle(0), 2), B_OK);
	EXPECT_EQ(scene.Selections(), (std::vector<int32>{0}));
	scene.window->Lock();
	size_t invoked = 0;
	for (const BMessage& message : scene.window->received) {
		if (message.what == kInvoked) {
			invoked++;
			int32 index;
			if (message.FindInt32("index", &index) != B_OK)
				index = -1;
			EXPECT_EQ(index, 0);
		}
	}
	EXPECT_EQ(invoked, 1u);
	scene.window->Unlock();
}

TEST(ListView, ArrowKeysMoveTheSelectionWhenFocused)
{
	Watchdog watchdog;
	ListScene scene("List keys");
	scene.window->Lock();
	scene.list->MakeFocus(true);
	scene.window->Unlock();
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	ASSERT_EQ(press_key(scene.window, "up"), B_OK);
	EXPECT_EQ(scene.Selections(), (std::vector<int32>{0, 1, 2, 1}));

	// Select from code sends the message too, only on a change.
	scene.window->Lock();
	scene.list->Select(0);
	scene.list->Select(0);
	scene.list->DeselectAll();
	EXPECT_EQ(scene.list->CurrentSelection(), -1);
	scene.other->MakeFocus(true);
	scene.window->Unlock();
	ASSERT_EQ(sync(scene.window), B_OK);
	EXPECT_EQ(scene.Selections(), (std::vector<int32>{0, -1}));
	// Without the focus the list does not hear the keys.
	ASSERT_EQ(press_key(scene.window, "down"), B_OK);
	EXPECT_TRUE(scene.Selections().empty());
}

TEST(ListView, ArchivesKeepItemsAndMessages)
{
	BListView list(BRect(0, 0, 100, 100), "list");
	list.AddItem(new BStringItem("a"));
	list.AddItem(new BStringItem("b", 1));
	list.SetSelectionMessage(new BMessage(kSelected));
	list.SetInvocationMessage(new BMessage(kInvoked));
	list.Select(1);
	BMessage archive;
	ASSERT_EQ(list.Archive(&archive), B_OK);
	int32 type = -1;
	EXPECT_EQ(archive.FindInt32("_lv_type", &type), B_OK);
	EXPECT_EQ(type, 0);
	BMessage second;
	ASSERT_EQ(archive.FindMessage("_l_items", 1, &second), B_OK);
	bool selected = false;
	EXPECT_EQ(second.FindBool("_sel", &selected), B_OK);
	int32 level = 0;
	EXPECT_EQ(second.FindInt32("_li_outline_level", &level), B_OK);
	EXPECT_EQ(level, 1);
	std::unique_ptr<BListView> copy(dynamic_cast<BListView*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	ASSERT_EQ(copy->CountItems(), 2);
	EXPECT_STREQ(static_cast<BStringItem*>(copy->ItemAt(1))->Text(), "b");
	EXPECT_EQ(copy->CurrentSelection(), 1);
	EXPECT_EQ(copy->SelectionCommand(), kSelected);
	EXPECT_EQ(copy->InvocationCommand(), kInvoked);
	for (BListView* owner : {&list, copy.get()}) {
		while (BListItem* item = owner->RemoveItem(int32(0)))
			delete item;
	}
}
