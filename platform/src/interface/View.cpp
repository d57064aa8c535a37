#include <View.h>

#include <Message.h>
#include <Window.h>

#include "WindowPrivate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

B_REGISTER_ARCHIVABLE(BView);

using BPrivate::WindowInternals;

BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags) : BHandler(name)
{
	_InitData(frame, name, resizingMode, flags);
}

void
BView::_InitData(BRect frame, const char*, uint32 resizingMode, uint32 flags)
{
	fParent = NULL;
	fOwner = NULL;
	fTopLevel = false;
	// Frames sit on whole pixels.
	frame.left = roundf(frame.left);
	frame.top = roundf(frame.top);
	frame.right = roundf(frame.right);
	frame.bottom = roundf(frame.bottom);
	fFrame = frame;
	fFlags = (resizingMode & _RESIZE_MASK_) | (flags & ~_RESIZE_MASK_);
	fShowLevel = 0;
	fViewColor = make_color(255, 255, 255);
	fHighColor = make_color(0, 0, 0);
	fLowColor = make_color(255, 255, 255);
	for (int i = 0; i < 3; i++) {
		fUIWhich[i] = B_NO_COLOR;
		fUITint[i] = B_NO_TINT;
	}
	fFont = *be_plain_font;
	fFontSet = false;
	fDrawingMode = B_OP_COPY;
	fDrawingModeSet = false;
	fSourceAlpha = B_PIXEL_ALPHA;
	fAlphaFunction = B_ALPHA_OVERLAY;
	fBlendingSet = false;
	fPenSize = 1.0f;
	fPenSizeSet = false;
	fPenLocation = B_ORIGIN;
	fPenLocationSet = false;
	fEventMask = 0;
	fEventOptions = 0;
	fEventMaskSet = false;
	fLineArray = NULL;
}

BView::~BView()
{
	if (fOwner != NULL || fParent != NULL)
		RemoveSelf();
	while (!fChildren.empty()) {
		BView* child = fChildren.back();
		RemoveChild(child);
		delete child;
	}
	delete fLineArray;
}

BArchivable*
BView::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BView"))
		return NULL;
	return new BView(archive);
}

void
BView::AttachedToWindow()
{}

void
BView::AllAttached()
{}

void
BView::DetachedFromWindow()
{}

void
BView::AllDetached()
{}

void
BView::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}

void
BView::AddChild(BView* child, BView* before)
{
	if (child == NULL || child == this || child->fParent != NULL)
		return;
	auto position = fChildren.end();
	if (before != NULL) {
		position = std::find(fChildren.begin(), fChildren.end(), before);
		if (position == fChildren.end())
			return;
	}
	fChildren.insert(position, child);
	child->fParent = this;
	child->SetNextHandler(this);
	if (fOwner != NULL) {
		child->_Attach(fOwner);
		child->Invalidate();
	}
}

bool
BView::RemoveChild(BView* child)
{
	if (child == NULL || child->fParent != this)
		return false;
	if (fOwner != NULL) {
		BRect area = child->_VisibleInWindow();
		child->_Detach();
		if (area.IsValid())
			WindowInternals::InvalidateRect(fOwner, area);
	}
	fChildren.erase(std::find(fChildren.begin(), fChildren.end(), child));
	child->fParent = NULL;
	child->SetNextHandler(NULL);
	return true;
}

bool
BView::RemoveSelf()
{
	if (fParent == NULL)
		return false;
	return fParent->RemoveChild(this);
}

int32
BView::CountChildren() const
{
	return int32(fChildren.size());
}

BView*
BView::ChildAt(int32 index) const
{
	if (index < 0 || index >= int32(fChildren.size()))
		return NULL;
	return fChildren[size_t(index)];
}

BView*
BView::NextSibling() const
{
	if (fParent == NULL)
		return NULL;
	const std::vector<BView*>& siblings = fParent->fChildren;
	auto it = std::find(siblings.begin(), siblings.end(), this);
	if (it == siblings.end() || ++it == siblings.end())
		return NULL;
	return *it;
}

BView*
BView::PreviousSibling() const
{
	if (fParent == NULL)
		return NULL;
	const std::vector<BView*>& siblings = fParent->fChildren;
	auto it = std::find(siblings.begin(), siblings.end(), this);
	if (it == siblings.end() || it == siblings.begin())
		return NULL;
	return *(it - 1);
}

BWindow*
BView::Window() const
{
	return fOwner;
}

BView*
BView::Parent() const
{
	// Views added to a window hang below its top view, which nobody sees.
	if (fParent != NULL && fParent->fTopLevel)
		return NULL;
	return fParent;
}

BView*
BView::FindView(const char* name) const
{
	if (name == NULL)
		return NULL;
	if (Name() != NULL && strcmp(Name(), name) == 0)
		return const_cast<BView*>(this);
	for (BView* child : fChildren) {
		if (BView* found = child->FindView(name))
			return found;
	}
	return NULL;
}

void
BView::Draw(BRect)
{}

void
BView::WindowActivated(bool)
{}

void
BView::Pulse()
{}

void
BView::FrameMoved(BPoint)
{}

void
BView::FrameResized(float, float)
{}

void
BView::Show()
{
	fShowLevel--;
	if (fShowLevel == 0 && fOwner != NULL)
		Invalidate();
}

void
BView::Hide()
{
	if (fShowLevel == 0 && fOwner != NULL) {
		BRect area = _VisibleInWindow();
		if (area.IsValid())
			WindowInternals::InvalidateRect(fOwner, area);
	}
	fShowLevel++;
}

bool
BView::IsHidden(const BView* looking) const
{
	if (fShowLevel > 0)
		return true;
	if (looking == this)
		return false;
	if (fParent != NULL)
		return fParent->IsHidden(looking);
	if (fOwner != NULL && looking == NULL)
		return fOwner->IsHidden();
	return false;
}

bool
BView::IsHidden() const
{
	return IsHidden(NULL);
}

void
BView::SetFlags(uint32 flags)
{
	fFlags = (fFlags & _RESIZE_MASK_) | (flags & ~_RESIZE_MASK_);
}

uint32
BView::Flags() const
{
	return fFlags & ~_RESIZE_MASK_;
}

uint32
BView::ResizingMode() const
{
	return fFlags & _RESIZE_MASK_;
}

void
BView::Flush() const
{}

void
BView::Sync() const
{}
