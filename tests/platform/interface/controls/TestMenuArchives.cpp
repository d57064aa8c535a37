#include "../InterfaceTest.h"

#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include <cmath>
#include <memory>

namespace {

void
add_view_fields(BMessage* archive, const char* className, const char* name, BRect frame,
				int32 resizingMode, uint32 flags, uint32 high, uint32 low, uint32 view)
{
	archive->AddString("class", className);
	archive->AddString("_name", name);
	archive->AddRect("_frame", frame);
	archive->AddInt32("_resize_mode", resizingMode);
	archive->AddInt32("_flags", int32(flags));
	archive->AddInt32("_color", int32(high));
	archive->AddInt32("_color", int32(low));
	archive->AddInt32("_color", int32(view));
}

void
add_menu_fields(BMessage* archive, bool triggersDisabled, bool radio, bool dynamicLabel,
				float maxWidth)
{
	archive->AddBool("_rsize_to_fit", true);
	archive->AddBool("_disable", false);
	archive->AddBool("_radio", radio);
	archive->AddBool("_trig_disabled", triggersDisabled);
	archive->AddBool("_dyn_label", dynamicLabel);
	archive->AddFloat("_maxwidth", maxWidth);
}

// The input-mode field of the input page's layout, field for field.
BMessage
input_mode_field()
{
	const uint32 black = 0x000000FF;
	const uint32 grey = 0xD8D8D8FF;
	BMessage popUp;
	add_view_fields(&popUp, "BPopUpMenu", "Menu", BRect(0, 0, 0, 0), 0, 0x20000000, black, grey,
					grey);
	popUp.AddInt32("_layout", 1);
	add_menu_fields(&popUp, false, true, true, 0.0f);

	BMessage item;
	item.AddString("class", "BMenuItem");
	item.AddString("_label", "Menu");
	item.AddMessage("_submenu", &popUp);

	BMessage bar;
	add_view_fields(&bar, "_BMCMenuBar_", "_mc_mb_", BRect(91, 2, 139, 21), 0x1212, 0x24000000,
					black, grey, grey);
	bar.AddPoint("_ploc", BPoint(0, 0));
	add_menu_fields(&bar, false, false, false, 29.0f);
	bar.AddMessage("_items", &item);
	bar.AddInt32("_border", 1);

	BMessage field;
	add_view_fields(&field, "BMenuField", "MFieldInputMode", BRect(10, 50, 151, 73), 0x1212,
					0x22000000, black, grey, grey);
	field.AddMessage("_views", &bar);
	field.AddString("_label", "");
	field.AddFloat("_divide", 90.0f);
	field.AddInt32("_align", 0);
	field.AddBool("be:dmark", true);
	return field;
}

} // namespace

TEST(MenuArchives, TheLayoutsInputModeFieldRebuildsAWorkingField)
{
	BMessage archive = input_mode_field();
	std::unique_ptr<BMenuField> field(dynamic_cast<BMenuField*>(instantiate_object(&archive)));
	ASSERT_TRUE(field);
	EXPECT_STREQ(field->Name(), "MFieldInputMode");
	EXPECT_EQ(field->Divider(), 90.0f);
	EXPECT_EQ(field->Alignment(), B_ALIGN_LEFT);
	EXPECT_EQ(field->Label(), nullptr);
	EXPECT_TRUE(field->IsEnabled());
	ASSERT_EQ(field->CountChildren(), 1);
	BMenuBar* bar = field->MenuBar();
	ASSERT_NE(bar, nullptr);
	EXPECT_EQ(field->ChildAt(0), bar);
	EXPECT_STREQ(bar->Name(), "_mc_mb_");
	EXPECT_EQ(bar->Frame(), BRect(91, 2, 139, 21));
	EXPECT_EQ(bar->Border(), B_BORDER_CONTENTS);
	EXPECT_EQ(bar->MaxContentWidth(), 29.0f);
	ASSERT_EQ(bar->CountItems(), 1);
	EXPECT_STREQ(field->MenuItem()->Label(), "Menu");
	BMenu* menu = field->Menu();
	ASSERT_NE(dynamic_cast<BPopUpMenu*>(menu), nullptr);
	EXPECT_STREQ(menu->Name(), "Menu");
	EXPECT_EQ(menu->CountItems(), 0);
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	EXPECT_TRUE(menu->AreTriggersEnabled());
	EXPECT_EQ(menu->Layout(), B_ITEMS_IN_COLUMN);

	// It works: items added later label the field when marked.
	menu->AddItem(new BMenuItem("ローマ字", new BMessage('roma')));
	menu->ItemAt(0)->SetMarked(true);
	EXPECT_STREQ(field->MenuItem()->Label(), "ローマ字");
}

TEST(MenuArchives, AFieldWritesTheStructureItIsReadFrom)
{
	BPopUpMenu* menu = new BPopUpMenu("Menu");
	menu->AddItem(new BMenuItem("a", new BMessage('aaaa'), 'A'));
	menu->AddSeparatorItem();
	menu->ItemAt(0)->SetMarked(true);
	menu->SetTriggersEnabled(false);
	BMenuField field(BRect(10, 50, 151, 73), "MField", "Label", menu);
	field.SetDivider(90);
	BMessage archive;
	ASSERT_EQ(field.Archive(&archive), B_OK);
	float divider = 0;
	EXPECT_EQ(archive.FindFloat("_divide", &divider), B_OK);
	EXPECT_EQ(divider, 90.0f);
	bool marker = false;
	EXPECT_EQ(archive.FindBool("be:dmark", &marker), B_OK);
	EXPECT_TRUE(marker);
	int32 align = -1;
	EXPECT_EQ(archive.FindInt32("_align", &align), B_OK);
	BMessage bar;
	ASSERT_EQ(archive.FindMessage("_views", &bar), B_OK);
	const char* text = NULL;
	EXPECT_EQ(bar.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "_BMCMenuBar_");
	EXPECT_EQ(bar.FindString("_name", &text), B_OK);
	EXPECT_STREQ(text, "_mc_mb_");
	BRect frame;
	EXPECT_EQ(bar.FindRect("_frame", &frame), B_OK);
	// The bar fits its choice "a".
	EXPECT_EQ(frame, BRect(91, 2, 91 + field.MenuBar()->Bounds().Width(), 21));
	EXPECT_EQ(frame.Width(), std::ceil(field.MenuBar()->StringWidth("a")) + 20);
	int32 border = -1;
	EXPECT_EQ(bar.FindInt32("_border", &border), B_OK);
	EXPECT_EQ(border, 1);
	BPoint pen;
	EXPECT_EQ(bar.FindPoint("_ploc", &pen), B_OK);
	for (const char* name : {"_rsize_to_fit", "_disable", "_radio", "_trig_disabled", "_dyn_label"})
		EXPECT_TRUE(bar.HasBool(name)) << name;
	BMessage item;
	ASSERT_EQ(bar.FindMessage("_items", &item), B_OK);
	BMessage popUp;
	ASSERT_EQ(item.FindMessage("_submenu", &popUp), B_OK);
	EXPECT_EQ(popUp.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BPopUpMenu");
	int32 layout = -1;
	EXPECT_EQ(popUp.FindInt32("_layout", &layout), B_OK);
	EXPECT_EQ(layout, 1);
	bool flag = false;
	EXPECT_EQ(popUp.FindBool("_trig_disabled", &flag), B_OK);
	EXPECT_TRUE(flag);
	BMessage first;
	ASSERT_EQ(popUp.FindMessage("_items", 0, &first), B_OK);
	EXPECT_EQ(first.FindBool("_marked", &flag), B_OK);
	int32 shortcut = 0;
	EXPECT_EQ(first.FindInt32("_shortcut", &shortcut), B_OK);
	EXPECT_EQ(shortcut, 'A');
	BMessage second;
	ASSERT_EQ(popUp.FindMessage("_items", 1, &second), B_OK);
	EXPECT_EQ(second.FindString("class", &text), B_OK);
	EXPECT_STREQ(text, "BSeparatorItem");

	std::unique_ptr<BMenuField> copy(dynamic_cast<BMenuField*>(instantiate_object(&archive)));
	ASSERT_TRUE(copy);
	EXPECT_STREQ(copy->Label(), "Label");
	ASSERT_EQ(copy->Menu()->CountItems(), 2);
	EXPECT_EQ(copy->Menu()->FindMarkedIndex(), 0);
	EXPECT_STREQ(copy->MenuItem()->Label(), "a");
	EXPECT_NE(dynamic_cast<BSeparatorItem*>(copy->Menu()->ItemAt(1)), nullptr);
	EXPECT_FALSE(copy->Menu()->AreTriggersEnabled());
	EXPECT_EQ(copy->Menu()->ItemAt(0)->Command(), uint32('aaaa'));
}
