#include <View.h>

#include <Window.h>

#include "WindowPrivate.h"

using BPrivate::WindowInternals;

// Attaching to a window runs AttachedToWindow parent first, then AllAttached children first;
// detaching runs DetachedFromWindow and AllDetached in the same orders.

void
BView::_Attach(BWindow* window)
{
	_SetWindow(window);
	_AttachHooks();
	_AllAttachedHooks();
}

void
BView::_SetWindow(BWindow* window)
{
	fOwner = window;
	if (window != NULL) {
		window->AddHandler(this);
		// Messages a view does not understand travel up to its parent, and from the top to
		// the window.
		SetNextHandler(fParent != NULL ? static_cast<BHandler*>(fParent) : window);
	}
	for (BView* child : fChildren)
		child->_SetWindow(window);
}

void
BView::_AttachHooks()
{
	AttachedToWindow();
	// A hook may add or remove children; walk a copy.
	std::vector<BView*> children = fChildren;
	for (BView* child : children) {
		if (child->fParent == this && child->fOwner != NULL)
			child->_AttachHooks();
	}
}

void
BView::_AllAttachedHooks()
{
	std::vector<BView*> children = fChildren;
	for (BView* child : children) {
		if (child->fParent == this && child->fOwner != NULL)
			child->_AllAttachedHooks();
	}
	AllAttached();
}

void
BView::_Detach()
{
	_DetachHooks();
	_AllDetachedHooks();
	BWindow* window = fOwner;
	if (window == NULL)
		return;
	WindowInternals::ViewRemoved(window, this);
	struct Remover {
		static void Run(BView* view, BWindow* window)
		{
			for (BView* child : view->fChildren)
				Run(child, window);
			window->RemoveHandler(view);
			view->fOwner = NULL;
		}
	};
	Remover::Run(this, window);
}

void
BView::_DetachHooks()
{
	DetachedFromWindow();
	std::vector<BView*> children = fChildren;
	for (BView* child : children) {
		if (child->fParent == this)
			child->_DetachHooks();
	}
}

void
BView::_AllDetachedHooks()
{
	std::vector<BView*> children = fChildren;
	for (BView* child : children) {
		if (child->fParent == this)
			child->_AllDetachedHooks();
	}
	AllDetached();
}
