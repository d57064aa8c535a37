// The settings pages' layouts as the test's own resources hold them: the view trees they rebuild,
// the flattened forms they are stored in, and what a page does without its layout.

#include <app/AppIdentity.h>
#include <app/ItemView.h>

#include <Application.h>
#include <Box.h>
#include <CheckBox.h>
#include <DataIO.h>
#include <File.h>
#include <Font.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <Resources.h>
#include <Roster.h>
#include <StringView.h>
#include <View.h>
#include <beapi/MessageFormats.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "PageLayouts.h"

namespace {

enum ColorSet { P, Q, H };

// One view of a layout, in the order the tree is walked: parent first, children in order.
struct Row {
	int depth;
	const char* className;
	const char* name;
	BRect frame;
	uint32 resizingMode;
	uint32 flags;
	ColorSet colors;
};

const Row kInputRows[] = {
	{0, "BView", "BGView", BRect(0, 0, 400, 200), 0x1234, 0x24000000, P},
	{1, "BBox", "BoxInput", BRect(0, 0, 340, 85), 0x1212, 0xAC000000, Q},
	{2, "BStringView", "StrViewHiraganaMode", BRect(10, 20, 70, 40), 0x1212, 0x20000000, Q},
	{2, "BRadioButton", "RButtonHiraganaModeRoman", BRect(100, 20, 210, 39), 0x1212, 0x22000000, Q},
	{2, "BRadioButton", "RButtonHiraganaModeKana", BRect(220, 20, 330, 39), 0x1212, 0x22000000, Q},
	{2, "BMenuField", "MFieldInputMode", BRect(10, 50, 151, 73), 0x1212, 0x22000000, Q},
	{1, "BStringView", "StrViewPeriodType", BRect(0, 95, 40, 115), 0x1212, 0x20000000, Q},
	{1, "BView", "ViewPeriodType", BRect(40, 95, 80, 120), 0, 0x20000000, H},
	{1, "BStringView", "StrViewCommaType", BRect(90, 95, 130, 115), 0x1212, 0x20000000, Q},
	{1, "BView", "ViewCommaType", BRect(130, 95, 170, 120), 0, 0x20000000, H},
	{1, "BStringView", "StrViewSlashType", BRect(180, 95, 220, 115), 0x1212, 0x20000000, Q},
	{1, "BView", "ViewSlashType", BRect(220, 95, 260, 120), 0, 0x20000000, H},
	{1, "BStringView", "StrViewBracketType", BRect(270, 90, 310, 110), 0x1212, 0x20000000, Q},
	{1, "BView", "ViewBracketType", BRect(310, 90, 350, 115), 0, 0x20000000, H},
	{1, "BMenuField", "MFieldKeyNavigation", BRect(0, 130, 143, 153), 0x1212, 0x22000000, Q},
};

const Row kPunctuationRows[] = {
	{0, "BView", "BGView", BRect(0, 0, 400, 200), 0x1234, 0x24000000, P},
	{1, "BCheckBox", "CBoxPunctuationConvert", BRect(0, 0, 400, 20), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxPeriodConvert", BRect(10, 30, 400, 50), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxCommaConvert", BRect(10, 50, 400, 70), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxQuestionConvert", BRect(10, 70, 400, 90), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxExclamationConvert", BRect(10, 90, 400, 110), 0x1212, 0x22000000, Q},
};

const Row kInputAssistRows[] = {
	{0, "BView", "BGView", BRect(0, 0, 400, 200), 0x1234, 0x24000000, P},
	{1, "BCheckBox", "CBoxTenKeyHalfInput", BRect(0, 0, 400, 20), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxTenKeyConfirmInput", BRect(0, 25, 400, 45), 0x1212, 0x22000000, Q},
	{1, "BCheckBox", "CBoxFixedConfirmInput", BRect(0, 50, 400, 70), 0x1212, 0x22000000, Q},
	{1, "BBox", "BoxSpaceMode", BRect(0, 80, 400, 170), 0x1212, 0xAC000000, Q},
	{2, "BMenuField", "MFieldSpaceMode", BRect(10, 25, 153, 48), 0x1212, 0x22000000, Q},
	{2, "BMenuField", "MFieldShiftSpaceMode", BRect(10, 55, 153, 78), 0x1212, 0x22000000, Q},
};

bool
same_color(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

void
expect_colors(BView* view, ColorSet set)
{
	const rgb_color black = {0, 0, 0, 255};
	const rgb_color white = {255, 255, 255, 255};
	const rgb_color panel = {216, 216, 216, 255};
	const rgb_color clear = {216, 216, 216, 0};
	EXPECT_TRUE(same_color(view->HighColor(), black)) << view->Name();
	EXPECT_TRUE(same_color(view->LowColor(), set == Q ? panel : white)) << view->Name();
	EXPECT_TRUE(same_color(view->ViewColor(), set == H ? clear : panel)) << view->Name();
}

// The view is of exactly the class the archive names.
bool
is_class(BView* view, const char* className)
{
	const std::type_info& type = typeid(*view);
	if (strcmp(className, "BView") == 0)
		return type == typeid(BView);
	if (strcmp(className, "BBox") == 0)
		return type == typeid(BBox);
	if (strcmp(className, "BStringView") == 0)
		return type == typeid(BStringView);
	if (strcmp(className, "BRadioButton") == 0)
		return type == typeid(BRadioButton);
	if (strcmp(className, "BCheckBox") == 0)
		return type == typeid(BCheckBox);
	if (strcmp(className, "BMenuField") == 0)
		return type == typeid(BMenuField);
	return false;
}

// The views of the tree in the order of the rows; a menu field's own bar is not one of them.
void
walk(BView* view, int depth, std::vector<std::pair<BView*, int>>* views)
{
	views->push_back({view, depth});
	if (dynamic_cast<BMenuField*>(view) != NULL)
		return;
	for (int32 i = 0; i < view->CountChildren(); i++)
		walk(view->ChildAt(i), depth + 1, views);
}

template <size_t N>
void
expect_tree(BView* root, const Row (&rows)[N])
{
	std::vector<std::pair<BView*, int>> views;
	walk(root, 0, &views);
	ASSERT_EQ(views.size(), N);
	for (size_t i = 0; i < N; i++) {
		const Row& row = rows[i];
		BView* view = views[i].first;
		SCOPED_TRACE(row.name);
		EXPECT_EQ(views[i].second, row.depth);
		EXPECT_TRUE(is_class(view, row.className)) << typeid(*view).name();
		EXPECT_STREQ(view->Name(), row.name);
		EXPECT_EQ(view->Frame(), row.frame);
		EXPECT_EQ(view->ResizingMode(), row.resizingMode);
		EXPECT_EQ(view->Flags(), row.flags);
		expect_colors(view, row.colors);
	}
}

bool
is_empty(const char* text)
{
	return text == NULL || text[0] == '\0';
}

// Every text of the tree is empty: the pages label their controls when attached.
void
expect_no_texts(BView* view)
{
	if (BBox* box = dynamic_cast<BBox*>(view)) {
		EXPECT_TRUE(is_empty(box->Label())) << view->Name();
	}
	if (BStringView* caption = dynamic_cast<BStringView*>(view)) {
		EXPECT_TRUE(is_empty(caption->Text())) << view->Name();
		EXPECT_EQ(caption->Alignment(), B_ALIGN_LEFT);
	}
	if (BControl* control = dynamic_cast<BControl*>(view)) {
		EXPECT_TRUE(is_empty(control->Label())) << view->Name();
	}
	if (BMenuField* field = dynamic_cast<BMenuField*>(view)) {
		EXPECT_TRUE(is_empty(field->Label())) << view->Name();
		return;
	}
	for (int32 i = 0; i < view->CountChildren(); i++)
		expect_no_texts(view->ChildAt(i));
}

// A menu field as every layout stores it: divider 90, an empty label, and one bar whose single
// item opens an empty pop-up menu.
void
expect_menu_field(BView* root, const char* name, BRect barFrame, bool triggersEnabled)
{
	SCOPED_TRACE(name);
	BMenuField* field = dynamic_cast<BMenuField*>(root->FindView(name));
	ASSERT_NE(field, nullptr);
	EXPECT_EQ(field->Divider(), 90.0f);
	EXPECT_EQ(field->Alignment(), B_ALIGN_LEFT);
	EXPECT_TRUE(field->IsEnabled());
	ASSERT_EQ(field->CountChildren(), 1);
	BMenuBar* bar = field->MenuBar();
	ASSERT_NE(bar, nullptr);
	EXPECT_EQ(field->ChildAt(0), bar);
	EXPECT_STREQ(bar->Name(), "_mc_mb_");
	EXPECT_EQ(bar->Frame(), barFrame);
	EXPECT_EQ(bar->ResizingMode(), 0x1212u);
	EXPECT_EQ(bar->Flags(), 0x24000000u);
	expect_colors(bar, Q);
	EXPECT_EQ(bar->Border(), B_BORDER_CONTENTS);
	EXPECT_EQ(bar->MaxContentWidth(), 29.0f);
	EXPECT_FALSE(bar->IsRadioMode());
	EXPECT_FALSE(bar->IsLabelFromMarked());
	EXPECT_EQ(bar->AreTriggersEnabled(), triggersEnabled);
	ASSERT_EQ(bar->CountItems(), 1);
	EXPECT_STREQ(bar->ItemAt(0)->Label(), "Menu");

	BPopUpMenu* menu = dynamic_cast<BPopUpMenu*>(field->Menu());
	ASSERT_NE(menu, nullptr);
	EXPECT_EQ(bar->SubmenuAt(0), menu);
	EXPECT_STREQ(menu->Name(), "Menu");
	EXPECT_EQ(menu->Frame(), BRect(0, 0, 0, 0));
	EXPECT_EQ(menu->ResizingMode(), 0u);
	EXPECT_EQ(menu->Flags(), 0x20000000u);
	expect_colors(menu, Q);
	EXPECT_EQ(menu->Layout(), B_ITEMS_IN_COLUMN);
	EXPECT_TRUE(menu->IsEnabled());
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	EXPECT_EQ(menu->MaxContentWidth(), 0.0f);
	EXPECT_EQ(menu->AreTriggersEnabled(), triggersEnabled);
	EXPECT_EQ(menu->CountItems(), 0);
}

// The bytes of the named layout in the running executable's resources.
std::string
layout_bytes(const char* name)
{
	BResources* resources = BApplication::AppResources();
	if (resources == NULL)
		return "";
	size_t size = 0;
	const void* data = resources->LoadResource(kPageLayoutType, name, &size);
	return data != NULL ? std::string(static_cast<const char*>(data), size) : "";
}

std::unique_ptr<BView>
instantiate(const BMessage& archive)
{
	BMessage copy(archive);
	return std::unique_ptr<BView>(dynamic_cast<BView*>(instantiate_object(&copy)));
}

// The messages hold the same fields in the same order with the same values; nested messages are
// compared the same way, whatever form they were read from.
void
expect_same_message(const BMessage& a, const BMessage& b, const std::string& path)
{
	EXPECT_EQ(a.what, b.what) << path;
	ASSERT_EQ(a.CountNames(B_ANY_TYPE), b.CountNames(B_ANY_TYPE)) << path;
	for (int32 i = 0; i < a.CountNames(B_ANY_TYPE); i++) {
		char* nameA = NULL;
		char* nameB = NULL;
		type_code typeA = 0;
		type_code typeB = 0;
		int32 countA = 0;
		int32 countB = 0;
		ASSERT_EQ(a.GetInfo(B_ANY_TYPE, i, &nameA, &typeA, &countA), B_OK);
		ASSERT_EQ(b.GetInfo(B_ANY_TYPE, i, &nameB, &typeB, &countB), B_OK);
		ASSERT_STREQ(nameA, nameB) << path;
		const std::string field = path + "/" + nameA;
		ASSERT_EQ(typeA, typeB) << field;
		ASSERT_EQ(countA, countB) << field;
		for (int32 j = 0; j < countA; j++) {
			if (typeA == B_MESSAGE_TYPE) {
				BMessage childA;
				BMessage childB;
				ASSERT_EQ(a.FindMessage(nameA, j, &childA), B_OK);
				ASSERT_EQ(b.FindMessage(nameB, j, &childB), B_OK);
				expect_same_message(childA, childB, field + "[" + std::to_string(j) + "]");
				continue;
			}
			const void* dataA = NULL;
			const void* dataB = NULL;
			ssize_t sizeA = 0;
			ssize_t sizeB = 0;
			ASSERT_EQ(a.FindData(nameA, typeA, j, &dataA, &sizeA), B_OK);
			ASSERT_EQ(b.FindData(nameB, typeB, j, &dataB, &sizeB), B_OK);
			ASSERT_EQ(sizeA, sizeB) << field;
			EXPECT_EQ(memcmp(dataA, dataB, size_t(sizeA)), 0) << field;
		}
	}
}

class Layouts : public testing::Test {
protected:
	// The layout's archive as the resources hold it, checked to be in its format.
	BMessage Load(const PageLayout& layout)
	{
		std::string bytes = layout_bytes(layout.name);
		EXPECT_FALSE(bytes.empty()) << layout.name;
		EXPECT_EQ(detect_message_format(bytes.data(), bytes.size()), layout.format);
		BMessage archive;
		size_t used = 0;
		EXPECT_EQ(unflatten_message(&archive, bytes.data(), bytes.size(), &used), B_OK);
		EXPECT_EQ(used, bytes.size());
		return archive;
	}
};

} // namespace

TEST_F(Layouts, EachIsStoredUnderItsIdAndNameInItsFormat)
{
	BResources* resources = BApplication::AppResources();
	ASSERT_NE(resources, nullptr);
	for (const PageLayout& layout : kPageLayouts) {
		SCOPED_TRACE(layout.name);
		size_t byId = 0;
		const void* data = resources->LoadResource(kPageLayoutType, layout.id, &byId);
		ASSERT_NE(data, nullptr);
		std::string bytes = layout_bytes(layout.name);
		ASSERT_EQ(bytes.size(), byId);
		EXPECT_EQ(memcmp(bytes.data(), data, byId), 0);
		// Exactly what the layout program makes, in the resource's own format.
		BMallocIO made;
		ASSERT_EQ(flatten_message(layout.make(), layout.format, &made), B_OK);
		EXPECT_EQ(std::string(static_cast<const char*>(made.Buffer()), made.BufferLength()), bytes);
	}
	EXPECT_EQ(kPageLayouts[0].format, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
	EXPECT_EQ(kPageLayouts[1].format, B_MESSAGE_FORMAT_DANO_LITTLE_ENDIAN);
	EXPECT_EQ(kPageLayouts[2].format, B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN);
}

TEST_F(Layouts, InputRebuildsItsTree)
{
	std::unique_ptr<BView> root = instantiate(Load(kPageLayouts[0]));
	ASSERT_TRUE(root);
	expect_tree(root.get(), kInputRows);
	expect_no_texts(root.get());
	expect_menu_field(root.get(), "MFieldInputMode", BRect(91, 2, 139, 21), true);
	expect_menu_field(root.get(), "MFieldKeyNavigation", BRect(91, 2, 141, 21), false);
	for (const char* name : {"RButtonHiraganaModeRoman", "RButtonHiraganaModeKana"}) {
		BView* button = root->FindView(name);
		ASSERT_NE(button, nullptr);
		EXPECT_EQ(button->DrawingMode(), B_OP_COPY);
		EXPECT_EQ(dynamic_cast<BRadioButton*>(button)->Value(), B_CONTROL_OFF);
	}
}

TEST_F(Layouts, PunctuationConvertRebuildsItsTreeWithTheFontItStores)
{
	BMessage archive = Load(kPageLayouts[1]);
	std::unique_ptr<BView> root = instantiate(archive);
	ASSERT_TRUE(root);
	expect_tree(root.get(), kPunctuationRows);
	expect_no_texts(root.get());
	BMessage box;
	for (int32 i = 0; archive.FindMessage("_views", i, &box) == B_OK; i++) {
		const char* family = NULL;
		const char* style = NULL;
		EXPECT_EQ(box.FindString("_fname", 0, &family), B_OK);
		EXPECT_EQ(box.FindString("_fname", 1, &style), B_OK);
		EXPECT_STREQ(family, "Haru");
		EXPECT_STREQ(style, "Regular");
		int32 buffering = 0;
		EXPECT_EQ(box.FindInt32("_dbuf", &buffering), B_OK);
		EXPECT_EQ(buffering, 5);
		EXPECT_TRUE(box.HasString("_label"));
		// The family is taken as stored; the regular face of whatever draws it.
		font_family viewFamily;
		font_style viewStyle;
		BFont font;
		root->ChildAt(i)->GetFont(&font);
		font.GetFamilyAndStyle(&viewFamily, &viewStyle);
		EXPECT_STREQ(viewFamily, "Haru");
		EXPECT_EQ(font.Face(), B_REGULAR_FACE);
	}
}

TEST_F(Layouts, InputAssistRebuildsItsTree)
{
	std::unique_ptr<BView> root = instantiate(Load(kPageLayouts[2]));
	ASSERT_TRUE(root);
	expect_tree(root.get(), kInputAssistRows);
	expect_no_texts(root.get());
	expect_menu_field(root.get(), "MFieldSpaceMode", BRect(91, 2, 141, 21), false);
	expect_menu_field(root.get(), "MFieldShiftSpaceMode", BRect(91, 2, 141, 21), false);
}

TEST_F(Layouts, PunctuationConvertInDanoIsTheSameTreeAsInR5)
{
	BMessage dano = Load(kPageLayouts[1]);
	BMallocIO r5Bytes;
	ASSERT_EQ(flatten_message(make_punctuation_convert_layout(), B_MESSAGE_FORMAT_R5_LITTLE_ENDIAN,
							  &r5Bytes),
			  B_OK);
	BMessage r5;
	ASSERT_EQ(unflatten_message(&r5, r5Bytes.Buffer(), r5Bytes.BufferLength()), B_OK);
	expect_same_message(dano, r5, "");

	// Both rebuild the same views: what they archive again is the same.
	std::unique_ptr<BView> fromDano = instantiate(dano);
	std::unique_ptr<BView> fromR5 = instantiate(r5);
	ASSERT_TRUE(fromDano);
	ASSERT_TRUE(fromR5);
	BMessage danoTree;
	BMessage r5Tree;
	ASSERT_EQ(fromDano->Archive(&danoTree, true), B_OK);
	ASSERT_EQ(fromR5->Archive(&r5Tree, true), B_OK);
	EXPECT_GT(danoTree.CountNames(B_ANY_TYPE), 0);
	expect_same_message(danoTree, r5Tree, "");
}

TEST_F(Layouts, APageBuildsItsChildrenFromItsLayout)
{
	for (const PageLayout& layout : kPageLayouts) {
		SCOPED_TRACE(layout.name);
		TItemView page(layout.name);
		EXPECT_EQ(page.InitCheck(), B_OK);
		EXPECT_STREQ(page.Name(), "BGView");
		EXPECT_EQ(page.Frame(), BRect(0, 0, 400, 200));
		EXPECT_GT(page.CountChildren(), 0);
	}
}

TEST_F(Layouts, AMissingLayoutBuildsAnEmptyPageThatFailsItsCheck)
{
	for (const char* name : {"PrefsViewNoSuchRsrc", "", "prefsviewinputrsrc"}) {
		SCOPED_TRACE(name);
		TItemView page(name);
		EXPECT_NE(page.InitCheck(), B_OK);
		EXPECT_EQ(page.CountChildren(), 0);
		EXPECT_EQ(page.FindView("BoxInput"), nullptr);
	}
}

// The application's own executable: msgdump lists its identity and decodes the three layouts.
TEST(ApplicationResources, MsgdumpListsTheLayoutsAndTheSignature)
{
	const std::string program = BEAPI_BINARY_DIR "/app/ZorvyPreferences";
	const std::string msgdump = BEAPI_BINARY_DIR "/tools/msgdump/msgdump";
	FILE* probe = fopen(program.c_str(), "rb");
	if (probe == NULL)
		GTEST_SKIP() << "the application is not built";
	fclose(probe);
	FILE* pipe = popen((msgdump + " --resource --json " + program).c_str(), "r");
	ASSERT_NE(pipe, nullptr);
	std::string output;
	char buffer[4096];
	size_t got;
	while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
		output.append(buffer, got);
	ASSERT_EQ(pclose(pipe), 0);

	std::vector<std::string> lines;
	for (size_t start = 0; start < output.size();) {
		size_t end = output.find('\n', start);
		if (end == std::string::npos)
			end = output.size();
		lines.push_back(output.substr(start, end - start));
		start = end + 1;
	}
	auto line_of = [&](const std::string& head) -> std::string {
		for (const std::string& line : lines) {
			if (line.rfind(head, 0) == 0)
				return line;
		}
		return "";
	};
	EXPECT_NE(
		line_of("{\"type\": \"MIMS\", \"id\": 1, \"name\": \"BEOS:APP_SIG\"").find("\"size\": 42"),
		std::string::npos);
	EXPECT_NE(line_of("{\"type\": \"APPF\", \"id\": 1"), "");
	EXPECT_NE(line_of("{\"type\": \"APPV\", \"id\": 1"), "");
	for (const PageLayout& layout : kPageLayouts) {
		std::string line = line_of("{\"type\": \"ARCV\", \"id\": " + std::to_string(layout.id) +
								   ", \"name\": \"" + layout.name + "\"");
		ASSERT_NE(line, "") << layout.name;
		const char* format = message_format_name(layout.format);
		EXPECT_NE(line.find(std::string("\"format\": \"") + format + "\""), std::string::npos)
			<< layout.name;
		EXPECT_NE(line.find("\"values\": [\"BGView\"]"), std::string::npos) << layout.name;
	}
}

TEST(ApplicationResources, TheApplicationCarriesItsIdentity)
{
	BFile program(BEAPI_BINARY_DIR "/app/ZorvyPreferences", B_READ_ONLY);
	if (program.InitCheck() != B_OK)
		GTEST_SKIP() << "the application is not built";
	BResources resources;
	ASSERT_EQ(resources.SetTo(&program), B_OK);
	size_t size = 0;
	const char* signature =
		static_cast<const char*>(resources.LoadResource('MIMS', "BEOS:APP_SIG", &size));
	ASSERT_NE(signature, nullptr);
	EXPECT_EQ(std::string(signature, size), std::string(gAppSignature, sizeof(gAppSignature)));
	const void* flags = resources.LoadResource('APPF', "BEOS:APP_FLAGS", &size);
	ASSERT_NE(flags, nullptr);
	ASSERT_EQ(size, sizeof(uint32));
	uint32 launch;
	memcpy(&launch, flags, sizeof(launch));
	EXPECT_EQ(launch & B_LAUNCH_MASK, uint32(B_EXCLUSIVE_LAUNCH));
	// The platform's version_info: five numbers, then a 64-byte short and 256-byte long text.
	const char* version =
		static_cast<const char*>(resources.LoadResource('APPV', "BEOS:APP_VERSION", &size));
	ASSERT_NE(version, nullptr);
	ASSERT_GE(size, 340u);
	EXPECT_STREQ(version + 20, gAppVer);
	EXPECT_STREQ(version + 84, gAppNameEnUs);
	for (const char* icon : {"BEOS:L:STD_ICON", "BEOS:M:STD_ICON"}) {
		const void* data = resources.LoadResource('BBMP', icon, &size);
		ASSERT_NE(data, nullptr) << icon;
		BMessage archive;
		EXPECT_EQ(unflatten_message(&archive, data, size), B_OK) << icon;
	}
}
