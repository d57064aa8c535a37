#include <ListItem.h>

#include <Font.h>
#include <Message.h>
#include <View.h>

#include "ControlLook.h"

#include <cmath>

BListItem::BListItem(uint32 outlineLevel, bool expanded)
	: fWidth(0), fHeight(0), fLevel(outlineLevel), fSelected(false), fEnabled(true),
	  fExpanded(expanded)
{
	BPrivate::register_control_classes();
}

BListItem::BListItem(BMessage* archive)
	: BArchivable(archive), fWidth(0), fHeight(0), fLevel(0), fSelected(false), fEnabled(true),
	  fExpanded(false)
{
	BPrivate::register_control_classes();
	bool flag;
	if (archive->FindBool("_sel", &flag) == B_OK)
		fSelected = flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("_li_expanded", &flag) == B_OK)
		fExpanded = flag;
	int32 level;
	if (archive->FindInt32("_li_outline_level", &level) == B_OK && level >= 0)
		fLevel = uint32(level);
}

BListItem::~BListItem() {}

status_t
BListItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BArchivable::Archive(archive, deep);
	if (status == B_OK && fSelected)
		status = archive->AddBool("_sel", true);
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK && fExpanded)
		status = archive->AddBool("_li_expanded", true);
	if (status == B_OK && fLevel != 0)
		status = archive->AddInt32("_li_outline_level", int32(fLevel));
	return status;
}

float
BListItem::Height() const
{
	return fHeight;
}

float
BListItem::Width() const
{
	return fWidth;
}

bool
BListItem::IsSelected() const
{
	return fSelected;
}

void
BListItem::Select()
{
	fSelected = true;
}

void
BListItem::Deselect()
{
	fSelected = false;
}

void
BListItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
}

bool
BListItem::IsEnabled() const
{
	return fEnabled;
}

void
BListItem::SetHeight(float height)
{
	fHeight = height;
}

void
BListItem::SetWidth(float width)
{
	fWidth = width;
}

uint32
BListItem::OutlineLevel() const
{
	return fLevel;
}

void
BListItem::Update(BView* owner, const BFont* font)
{
	font_height fh;
	font->GetHeight(&fh);
	SetWidth(owner->Bounds().Width());
	SetHeight(std::ceil(fh.ascent + fh.descent + fh.leading) + 1);
}

BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
	: BListItem(outlineLevel, expanded), fHasText(false), fBaselineOffset(0)
{
	SetText(text);
}

BStringItem::BStringItem(BMessage* archive)
	: BListItem(archive), fHasText(false), fBaselineOffset(0)
{
	const char* text;
	if (archive->FindString("_label", &text) == B_OK)
		SetText(text);
}

BStringItem::~BStringItem() {}

BArchivable*
BStringItem::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BStringItem"))
		return NULL;
	return new BStringItem(archive);
}

status_t
BStringItem::Archive(BMessage* archive, bool deep) const
{
	status_t status = BListItem::Archive(archive, deep);
	if (status == B_OK && fHasText)
		status = archive->AddString("_label", fText.c_str());
	return status;
}

void
BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	rgb_color background =
		IsSelected() ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR) : owner->ViewColor();
	if (IsSelected() || complete) {
		owner->SetHighColor(background);
		owner->FillRect(frame);
	}
	if (!fHasText)
		return;
	rgb_color text =
		ui_color(IsSelected() ? B_LIST_SELECTED_ITEM_TEXT_COLOR : B_LIST_ITEM_TEXT_COLOR);
	if (!IsEnabled())
		text = tint_color(background, B_DISABLED_LABEL_TINT);
	owner->SetHighColor(text);
	owner->SetDrawingMode(B_OP_OVER);
	float indent = 4 + float(OutlineLevel()) * 10;
	owner->DrawString(fText.c_str(), BPoint(frame.left + indent, frame.top + fBaselineOffset));
	owner->SetDrawingMode(B_OP_COPY);
}

void
BStringItem::SetText(const char* text)
{
	fHasText = text != NULL;
	fText = text != NULL ? text : "";
}

const char*
BStringItem::Text() const
{
	return fHasText ? fText.c_str() : NULL;
}

void
BStringItem::Update(BView* owner, const BFont* font)
{
	BListItem::Update(owner, font);
	font_height fh;
	font->GetHeight(&fh);
	fBaselineOffset = std::ceil(fh.ascent) + 1;
	if (fHasText)
		SetWidth(std::max(Width(), std::ceil(font->StringWidth(fText.c_str())) + 8));
}
