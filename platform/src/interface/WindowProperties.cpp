#include <Window.h>

#include <View.h>

#include "WindowPrivate.h"

using BPrivate::WindowInternals;

namespace {

const BPrivate::DefaultButtonHooks* sDefaultButtonHooks = nullptr;

} // namespace

namespace BPrivate {

void
set_default_button_hooks(const DefaultButtonHooks* hooks)
{
	sDefaultButtonHooks = hooks;
}

const DefaultButtonHooks*
default_button_hooks()
{
	return sDefaultButtonHooks;
}

} // namespace BPrivate

window_type
BWindow::Type() const
{
	return fInternals->type;
}

status_t
BWindow::SetType(window_type type)
{
	fInternals->type = type;
	return B_OK;
}

window_look
BWindow::Look() const
{
	return fLook;
}

window_feel
BWindow::Feel() const
{
	return fFeel;
}

uint32
BWindow::Flags() const
{
	return fFlags;
}

status_t
BWindow::SetFlags(uint32 flags)
{
	fFlags = flags;
	return B_OK;
}

BView*
BWindow::FindView(const char* viewName) const
{
	for (int32 i = 0; i < fTopView->CountChildren(); i++) {
		if (BView* found = fTopView->ChildAt(i)->FindView(viewName))
			return found;
	}
	return NULL;
}

BView*
BWindow::FindView(BPoint point) const
{
	BView* view = WindowInternals::ViewAt(fTopView, point);
	return view == fTopView ? NULL : view;
}

BView*
BWindow::CurrentFocus() const
{
	return fFocus;
}

void
BWindow::SetDefaultButton(BButton* button)
{
	if (button == fDefaultButton)
		return;
	const BPrivate::DefaultButtonHooks* hooks = BPrivate::default_button_hooks();
	BButton* previous = fDefaultButton;
	fDefaultButton = button;
	if (hooks != NULL && hooks->makeDefault != NULL) {
		if (previous != NULL)
			hooks->makeDefault(previous, false);
		if (button != NULL)
			hooks->makeDefault(button, true);
	}
}

BButton*
BWindow::DefaultButton() const
{
	return fDefaultButton;
}

void
BWindow::UpdateIfNeeded()
{
	// Only the window's own thread draws.
	if (find_thread(NULL) != Thread())
		return;
	WindowInternals::Update(this);
}

void
BWindow::Flush() const
{}

void
BWindow::Sync() const
{}
