#include "InterfaceTest.h"

#include <Window.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> sHooks;

class HookView : public BView {
public:
	HookView(const char* name, BRect frame = BRect(0, 0, 9, 9))
		: BView(frame, name, B_FOLLOW_NONE, 0)
	{}

	virtual void AttachedToWindow() { sHooks.push_back(std::string("attached ") + Name()); }
	virtual void AllAttached() { sHooks.push_back(std::string("all attached ") + Name()); }
	virtual void DetachedFromWindow() { sHooks.push_back(std::string("detached ") + Name()); }
	virtual void AllDetached() { sHooks.push_back(std::string("all detached ") + Name()); }
};

} // namespace

TEST(ViewTree, ChildrenSiblingsAndSearch)
{
	BView root(BRect(0, 0, 99, 99), "root", B_FOLLOW_ALL, 0);
	BView* a = new BView(BRect(0, 0, 9, 9), "a", B_FOLLOW_NONE, 0);
	BView* b = new BView(BRect(0, 0, 9, 9), "b", B_FOLLOW_NONE, 0);
	BView* c = new BView(BRect(0, 0, 9, 9), "c", B_FOLLOW_NONE, 0);
	BView* deep = new BView(BRect(0, 0, 1, 1), "deep", B_FOLLOW_NONE, 0);
	root.AddChild(a);
	root.AddChild(c);
	root.AddChild(b, c);
	b->AddChild(deep);

	ASSERT_EQ(root.CountChildren(), 3);
	EXPECT_EQ(root.ChildAt(0), a);
	EXPECT_EQ(root.ChildAt(1), b);
	EXPECT_EQ(root.ChildAt(2), c);
	EXPECT_EQ(root.ChildAt(3), nullptr);
	EXPECT_EQ(a->NextSibling(), b);
	EXPECT_EQ(c->NextSibling(), nullptr);
	EXPECT_EQ(b->PreviousSibling(), a);
	EXPECT_EQ(deep->Parent(), b);
	EXPECT_EQ(root.FindView("deep"), deep);
	EXPECT_EQ(root.FindView("root"), &root);
	EXPECT_EQ(root.FindView("none"), nullptr);
	EXPECT_EQ(root.Window(), nullptr);

	// A view already in a tree is not added twice.
	root.AddChild(deep);
	EXPECT_EQ(root.CountChildren(), 3);

	EXPECT_TRUE(b->RemoveSelf());
	EXPECT_EQ(b->Parent(), nullptr);
	EXPECT_EQ(root.CountChildren(), 2);
	EXPECT_EQ(root.FindView("deep"), nullptr);
	EXPECT_FALSE(root.RemoveChild(b));
	delete b;
}

TEST(ViewTree, FramesAreInclusiveAndConvert)
{
	BView parent(BRect(10, 20, 560, 305), "parent", B_FOLLOW_ALL, 0);
	BView* child = new BView(BRect(5, 6, 14, 15), "child", B_FOLLOW_NONE, 0);
	parent.AddChild(child);

	EXPECT_EQ(parent.Bounds(), BRect(0, 0, 550, 285));
	EXPECT_EQ(parent.Bounds().IntegerWidth() + 1, 551);
	EXPECT_EQ(child->Frame(), BRect(5, 6, 14, 15));
	EXPECT_EQ(child->ConvertToParent(BPoint(1, 2)), BPoint(6, 8));
	EXPECT_EQ(child->ConvertFromParent(BPoint(6, 8)), BPoint(1, 2));
	EXPECT_EQ(child->ConvertToParent(child->Bounds()), child->Frame());

	child->MoveBy(10, 10);
	EXPECT_EQ(child->Frame(), BRect(15, 16, 24, 25));
	child->ResizeTo(20, 30);
	EXPECT_EQ(child->Frame(), BRect(15, 16, 35, 46));
	child->ResizeBy(-10, -10);
	EXPECT_EQ(child->Bounds(), BRect(0, 0, 10, 20));
}

TEST(ViewTree, ResizingModesFollowTheParent)
{
	BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_ALL, 0);
	struct Case {
		uint32 mode;
		BRect after;
	} cases[] = {
		{B_FOLLOW_LEFT | B_FOLLOW_TOP, BRect(10, 10, 19, 19)},
		{B_FOLLOW_NONE, BRect(10, 10, 19, 19)},
		{B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, BRect(30, 50, 39, 59)},
		{B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP_BOTTOM, BRect(10, 10, 39, 59)},
		{B_FOLLOW_ALL, BRect(10, 10, 39, 59)},
		{B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER, BRect(20, 30, 29, 39)},
		{B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM, BRect(10, 50, 39, 59)},
	};
	std::vector<BView*> children;
	for (const Case& c : cases) {
		BView* child = new BView(BRect(10, 10, 19, 19), "child", c.mode, 0);
		parent.AddChild(child);
		children.push_back(child);
	}
	parent.ResizeBy(20, 40);
	for (size_t i = 0; i < children.size(); i++) {
		EXPECT_EQ(children[i]->Frame(), cases[i].after) << "case " << i;
		EXPECT_EQ(children[i]->ResizingMode(), cases[i].mode);
	}
	EXPECT_EQ(uint32(B_FOLLOW_LEFT | B_FOLLOW_TOP), 0x1212u);
	EXPECT_EQ(uint32(B_FOLLOW_ALL), 0x1234u);
}

TEST(ViewTree, FlagsAndResizingModeShareAWord)
{
	BView view(BRect(0, 0, 9, 9), "v", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	EXPECT_EQ(view.Flags(), B_WILL_DRAW | B_NAVIGABLE);
	EXPECT_EQ(view.ResizingMode(), uint32(B_FOLLOW_ALL));
	view.SetFlags(B_WILL_DRAW | B_FRAME_EVENTS);
	EXPECT_EQ(view.ResizingMode(), uint32(B_FOLLOW_ALL));
	EXPECT_EQ(B_WILL_DRAW | B_FRAME_EVENTS, 0x24000000u);
}

TEST(ViewTree, HideAndShowNest)
{
	BView parent(BRect(0, 0, 99, 99), "parent", B_FOLLOW_ALL, 0);
	BView* child = new BView(BRect(0, 0, 9, 9), "child", B_FOLLOW_NONE, 0);
	parent.AddChild(child);
	EXPECT_FALSE(child->IsHidden());
	parent.Hide();
	EXPECT_TRUE(child->IsHidden());
	EXPECT_FALSE(child->IsHidden(child));
	child->Hide();
	child->Hide();
	parent.Show();
	EXPECT_TRUE(child->IsHidden());
	child->Show();
	EXPECT_TRUE(child->IsHidden());
	child->Show();
	EXPECT_FALSE(child->IsHidden());
}

TEST(ViewTree, AttachHooksRunInThePlatformsOrder)
{
	Watchdog watchdog;
	sHooks.clear();
	TestWindow* window = new TestWindow("Hooks");
	HookView* parent = new HookView("parent", BRect(0, 0, 50, 50));
	parent->AddChild(new HookView("child1"));
	HookView* child2 = new HookView("child2");
	parent->AddChild(child2);
	child2->AddChild(new HookView("grandchild"));

	window->Lock();
	window->AddChild(parent);
	EXPECT_EQ(parent->Window(), window);
	EXPECT_EQ(parent->Parent(), nullptr);
	EXPECT_EQ(window->ChildAt(0), parent);
	EXPECT_EQ(window->FindView("grandchild"), child2->ChildAt(0));
	std::vector<std::string> attached = {"attached parent",     "attached child1",
										 "attached child2",     "attached grandchild",
										 "all attached child1", "all attached grandchild",
										 "all attached child2", "all attached parent"};
	EXPECT_EQ(sHooks, attached);

	sHooks.clear();
	parent->RemoveSelf();
	std::vector<std::string> detached = {"detached parent",     "detached child1",
										 "detached child2",     "detached grandchild",
										 "all detached child1", "all detached grandchild",
										 "all detached child2", "all detached parent"};
	EXPECT_EQ(sHooks, detached);
	EXPECT_EQ(child2->Window(), nullptr);
	window->Unlock();
	delete parent;
	TestWindow::Close(window);
}
