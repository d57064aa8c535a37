#include "../InterfaceTest.h"

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ListItem.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <StringView.h>
#include <TabView.h>
#include <TextControl.h>
#include <TextView.h>

#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

using namespace BPrivate::headless;

namespace {

const char* const kReference = BEAPI_SOURCE_DIR "/tests/platform/interface/controls/controls.png";

// One of each control, Japanese labels among them, in a view of the window's size.
BView*
make_controls()
{
	BView* top = new BView(BRect(0, 0, 419, 299), "top", B_FOLLOW_ALL, B_WILL_DRAW);
	top->SetViewColor(216, 216, 216);
	BBox* box = new BBox(BRect(10, 5, 200, 120), "box");
	box->SetLabel("入力");
	box->AddChild(new BStringView(BRect(10, 20, 90, 40), "sv", "ひらがな"));
	BRadioButton* roman = new BRadioButton(BRect(10, 45, 180, 64), "roman", "ローマ字", NULL);
	roman->SetValue(B_CONTROL_ON);
	box->AddChild(roman);
	box->AddChild(new BRadioButton(BRect(10, 65, 180, 84), "kana", "かな", NULL));
	BPopUpMenu* menu = new BPopUpMenu("Menu");
	menu->AddItem(new BMenuItem("直接入力", new BMessage('dire')));
	menu->AddItem(new BMenuItem("ひらがな", new BMessage('hira')));
	menu->ItemAt(1)->SetMarked(true);
	BMenuField* field = new BMenuField(BRect(10, 88, 180, 111), "field", "モード", menu);
	field->SetDivider(60);
	box->AddChild(field);
	top->AddChild(box);

	BCheckBox* on = new BCheckBox(BRect(10, 130, 200, 149), "on", "句読点を変換", NULL);
	on->SetValue(B_CONTROL_ON);
	top->AddChild(on);
	BCheckBox* off = new BCheckBox(BRect(10, 150, 200, 169), "off", "Disabled", NULL);
	off->SetEnabled(false);
	top->AddChild(off);
	top->AddChild(new BTextControl(BRect(10, 175, 200, 199), "locale", "Locale:", "ja_JP", NULL));

	BListView* list = new BListView(BRect(215, 10, 410, 80), "list");
	list->AddItem(new BStringItem("入力"));
	list->AddItem(new BStringItem("入力補助"));
	list->AddItem(new BStringItem("句読点変換"));
	list->Select(1);
	top->AddChild(list);

	BTabView* tabs = new BTabView(BRect(215, 90, 410, 200), "tabs", B_WIDTH_FROM_LABEL,
								  B_FOLLOW_LEFT | B_FOLLOW_TOP);
	tabs->AddTab(new BStringView(BRect(10, 10, 150, 30), "一般", "Page one"));
	tabs->AddTab(new BStringView(BRect(10, 10, 150, 30), "Keys", "Page two"));
	top->AddChild(tabs);

	BButton* cancel = new BButton(BRect(215, 255, 305, 285), "cancel", "キャンセル", NULL);
	top->AddChild(cancel);
	BButton* ok = new BButton(BRect(315, 255, 410, 285), "ok", "OK", NULL);
	ok->MakeDefault(true);
	top->AddChild(ok);
	BButton* pressed = new BButton(BRect(10, 255, 100, 285), "pressed", "Pressed", NULL);
	pressed->SetValue(B_CONTROL_ON);
	top->AddChild(pressed);
	return top;
}

struct Pixels {
	int width = 0;
	int height = 0;
	std::vector<uint32> data;
};

bool
load(const char* path, Pixels* image)
{
	cairo_surface_t* surface = cairo_image_surface_create_from_png(path);
	bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
	if (ok) {
		cairo_surface_flush(surface);
		image->width = cairo_image_surface_get_width(surface);
		image->height = cairo_image_surface_get_height(surface);
		int stride = cairo_image_surface_get_stride(surface);
		const uint8* bytes = cairo_image_surface_get_data(surface);
		image->data.resize(size_t(image->width) * size_t(image->height));
		for (int y = 0; y < image->height; y++)
			memcpy(&image->data[size_t(y) * size_t(image->width)], bytes + y * stride,
				   size_t(image->width) * 4);
	}
	cairo_surface_destroy(surface);
	return ok;
}

// Lists leave their items to their owners.
void
free_items(BView* top)
{
	BListView* list = dynamic_cast<BListView*>(top->FindView("list"));
	while (BListItem* item = list != NULL ? list->RemoveItem(int32(0)) : NULL)
		delete item;
}

void
collect(const BView* view, std::vector<std::string>* out)
{
	out->push_back(std::string(view->Name() != NULL ? view->Name() : "") + ":" +
				   std::to_string(view->CountChildren()));
	for (int32 i = 0; i < view->CountChildren(); i++)
		collect(view->ChildAt(i), out);
}

} // namespace

TEST(ControlsLook, AWindowWithOneOfEachControlLooksAsItsReference)
{
	Watchdog watchdog;
	TestWindow* window = new TestWindow("Controls", BRect(100, 100, 519, 399));
	window->AddChild(make_controls());
	window->ShowAndWait();
	// Inactive windows hide the focus mark; the shot has none.
	char folder[] = "/tmp/controls-look-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	std::string path = std::string(folder) + "/controls.png";
	ASSERT_EQ(screenshot(window, path.c_str()), B_OK);
	window->Lock();
	free_items(window->ChildAt(0));
	window->Unlock();
	TestWindow::Close(window);

	Pixels shot;
	ASSERT_TRUE(load(path.c_str(), &shot));
	Pixels reference;
	if (!load(kReference, &reference))
		GTEST_SKIP() << "no reference image; this run's is in " << path;
	ASSERT_EQ(shot.width, reference.width);
	ASSERT_EQ(shot.height, reference.height);
	// Glyph edges may move a little between font versions; anything more is a change.
	size_t differing = 0;
	for (size_t i = 0; i < shot.data.size(); i++) {
		for (int shift = 0; shift < 24; shift += 8) {
			int d = int((shot.data[i] >> shift) & 0xff) - int((reference.data[i] >> shift) & 0xff);
			if (d > 40 || d < -40) {
				differing++;
				break;
			}
		}
	}
	EXPECT_LT(differing, shot.data.size() / 200) << differing << " pixels differ; see " << path;
	if (differing < shot.data.size() / 200) {
		unlink(path.c_str());
		rmdir(folder);
	}
}

TEST(ControlsLook, AWholeTreeOfControlsSurvivesItsArchive)
{
	std::unique_ptr<BView> top(make_controls());
	BMessage archive;
	ASSERT_EQ(top->Archive(&archive, true), B_OK);
	std::unique_ptr<BView> copy(dynamic_cast<BView*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	struct Cleanup {
		BView* a;
		BView* b;
		~Cleanup()
		{
			free_items(a);
			free_items(b);
		}
	} cleanup{top.get(), copy.get()};
	std::vector<std::string> before;
	std::vector<std::string> after;
	collect(top.get(), &before);
	collect(copy.get(), &after);
	EXPECT_EQ(before, after);
	BMessage again;
	ASSERT_EQ(copy->Archive(&again, true), B_OK);
	EXPECT_TRUE(again.HasSameData(archive, false, true));
	EXPECT_NE(dynamic_cast<BMenuField*>(copy->FindView("field")), nullptr);
	EXPECT_STREQ(dynamic_cast<BMenuField*>(copy->FindView("field"))->MenuItem()->Label(),
				 "ひらがな");
	EXPECT_STREQ(dynamic_cast<BTextControl*>(copy->FindView("locale"))->Text(), "ja_JP");
	EXPECT_EQ(dynamic_cast<BListView*>(copy->FindView("list"))->CurrentSelection(), 1);
	EXPECT_EQ(dynamic_cast<BRadioButton*>(copy->FindView("roman"))->Value(), 1);
}
