#include <MenuField.h>

#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "ControlLook.h"
#include "MenuFieldBar.h"

#include "ArchiveChecks.h"
#include <cmath>

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
					   uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags)
{
	_InitField(label, menu, false);
}

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
					   bool fixedSize, uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags)
{
	_InitField(label, menu, fixedSize);
}

void
BMenuField::_InitField(const char* label, BMenu* menu, bool fixedSize)
{
	BPrivate::register_control_classes();
	SetViewColor(BPrivate::panel_color());
	SetLowColor(BPrivate::panel_color());
	fHasLabel = false;
	fAlign = B_ALIGN_LEFT;
	fEnabled = true;
	fFixedSize = fixedSize;
	fShowMarker = true;
	SetLabel(label);
	fDivider = fHasLabel ? std::ceil(StringWidth(fLabel.c_str())) + 5 : 0;
	BRect bounds = Bounds();
	fMenuBar = new _BMCMenuBar_(BRect(fDivider + 1, 2, bounds.right - 2, bounds.bottom - 2),
								fixedSize, this);
	fMenu = menu != NULL ? menu : new BPopUpMenu("Menu");
	BMenuItem* item = new BMenuItem(fMenu);
	if (BMenuItem* marked = fMenu->IsLabelFromMarked() ? fMenu->FindMarked() : NULL)
		item->SetLabel(marked->Label());
	fMenuBar->AddItem(item);
	AddChild(fMenuBar);
}

BMenuField::BMenuField(BMessage* archive) : BView(archive)
{
	BPrivate::register_control_classes();
	fHasLabel = false;
	fAlign = B_ALIGN_LEFT;
	fEnabled = true;
	fDivider = 0;
	fShowMarker = true;
	const char* label;
	if (archive->FindString("_label", &label) == B_OK)
		SetLabel(label);
	float divider;
	if (archive->FindFloat("_divide", &divider) == B_OK && BPrivate::archived_length(divider))
		fDivider = divider;
	int32 align;
	if (archive->FindInt32("_align", &align) == B_OK && align >= B_ALIGN_LEFT &&
		align <= B_ALIGN_CENTER)
		fAlign = alignment(align);
	bool flag = false;
	fFixedSize = archive->FindBool("be:fixeds", &flag) == B_OK && flag;
	if (archive->FindBool("_disable", &flag) == B_OK)
		fEnabled = !flag;
	if (archive->FindBool("be:dmark", &flag) == B_OK)
		fShowMarker = flag;

	fMenuBar = dynamic_cast<BMenuBar*>(FindView("_mc_mb_"));
	if (fMenuBar == NULL) {
		BRect bounds = Bounds();
		fMenuBar = new _BMCMenuBar_(BRect(fDivider + 1, 2, bounds.right - 2, bounds.bottom - 2),
									fFixedSize, this);
		AddChild(fMenuBar);
	}
	if (fMenuBar->CountItems() == 0)
		fMenuBar->AddItem(new BMenuItem(new BPopUpMenu("Menu")));
	fMenu = fMenuBar->SubmenuAt(0);
	if (fMenu == NULL) {
		delete fMenuBar->RemoveItem(int32(0));
		fMenuBar->AddItem(new BMenuItem(new BPopUpMenu("Menu")), 0);
		fMenu = fMenuBar->SubmenuAt(0);
	}
	fMenuBar->SetEnabled(fEnabled);
}

BMenuField::~BMenuField() {}

BArchivable*
BMenuField::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BMenuField"))
		return NULL;
	return new BMenuField(archive);
}

status_t
BMenuField::Archive(BMessage* archive, bool deep) const
{
	status_t status = BView::Archive(archive, deep);
	if (status == B_OK && fHasLabel)
		status = archive->AddString("_label", fLabel.c_str());
	if (status == B_OK && !fEnabled)
		status = archive->AddBool("_disable", true);
	if (status == B_OK)
		status = archive->AddInt32("_align", int32(fAlign));
	if (status == B_OK)
		status = archive->AddFloat("_divide", fDivider);
	if (status == B_OK && fFixedSize)
		status = archive->AddBool("be:fixeds", true);
	if (status == B_OK)
		status = archive->AddBool("be:dmark", fShowMarker);
	return status;
}

void
BMenuField::AttachedToWindow()
{
	BView::AttachedToWindow();
}

void
BMenuField::Draw(BRect)
{
	if (fHasLabel) {
		float width = StringWidth(fLabel.c_str());
		float x = 0;
		if (fAlign == B_ALIGN_RIGHT)
			x = fDivider - width - 3;
		else if (fAlign == B_ALIGN_CENTER)
			x = std::floor((fDivider - width) / 2);
		BRect bar = fMenuBar->Frame();
		float y = BPrivate::centred_baseline(this, bar.top, bar.Height());
		BPrivate::draw_label(this, fLabel.c_str(), BPoint(x, y), fEnabled);
	}
	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		BRect ring = fMenuBar->Frame().InsetByCopy(-1, -1);
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeRect(ring);
	}
}

void
BMenuField::MouseDown(BPoint where)
{
	BView::MouseDown(where);
}

void
BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 &&
		(bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW || bytes[0] == B_UP_ARROW)) {
		if (!fEnabled)
			return;
		if (_BMCMenuBar_* bar = dynamic_cast<_BMCMenuBar_*>(fMenuBar))
			bar->Open();
		else
			fMenuBar->OpenItem(0);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void
BMenuField::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}

void
BMenuField::GetPreferredSize(float* width, float* height)
{
	float barWidth = 0;
	float barHeight = 0;
	fMenuBar->GetPreferredSize(&barWidth, &barHeight);
	if (width != NULL)
		*width = fDivider + barWidth + 24;
	if (height != NULL)
		*height = barHeight + 4;
}

BMenu*
BMenuField::Menu() const
{
	return fMenu;
}

BMenuBar*
BMenuField::MenuBar() const
{
	return fMenuBar;
}

BMenuItem*
BMenuField::MenuItem() const
{
	return fMenuBar->ItemAt(0);
}

void
BMenuField::SetLabel(const char* label)
{
	if (BPrivate::set_optional_label(&fLabel, &fHasLabel, label))
		Invalidate();
}

const char*
BMenuField::Label() const
{
	return fHasLabel ? fLabel.c_str() : NULL;
}

void
BMenuField::SetEnabled(bool on)
{
	if (on == fEnabled)
		return;
	fEnabled = on;
	fMenuBar->SetEnabled(on);
	uint32 flags = Flags();
	SetFlags(on ? flags | B_NAVIGABLE : flags & ~B_NAVIGABLE);
	if (!on && IsFocus())
		MakeFocus(false);
	Invalidate();
	fMenuBar->Invalidate();
}

bool
BMenuField::IsEnabled() const
{
	return fEnabled;
}

void
BMenuField::SetAlignment(alignment label)
{
	fAlign = label;
	Invalidate();
}

alignment
BMenuField::Alignment() const
{
	return fAlign;
}

void
BMenuField::SetDivider(float position)
{
	fDivider = std::floor(position + 0.5f);
	_PlaceBar();
	Invalidate();
}

float
BMenuField::Divider() const
{
	return fDivider;
}

void
BMenuField::_PlaceBar()
{
	BRect bar = fMenuBar->Frame();
	fMenuBar->MoveTo(fDivider + 1, bar.top);
	_BMCMenuBar_* fitting = dynamic_cast<_BMCMenuBar_*>(fMenuBar);
	float width = fitting != NULL ? fitting->FittingWidth() : -1;
	if (width < 0) {
		fMenuBar->ResizeTo(Bounds().right - 2 - (fDivider + 1), bar.Height());
		return;
	}
	// A bar that fits its choice takes the field along, so the whole choice shows.
	fMenuBar->ResizeTo(width, bar.Height());
	ResizeTo(fDivider + 1 + width + 2, Bounds().Height());
}
