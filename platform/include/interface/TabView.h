#ifndef _TAB_VIEW_H
#define _TAB_VIEW_H

#include <Archivable.h>
#include <View.h>

#include <vector>

enum tab_position { B_TAB_FIRST = 999, B_TAB_FRONT, B_TAB_ANY };

class BTabView;

// One page of a tab view: a label (the name of its view) and the view shown while the tab is
// selected. The tab owns its view.
class BTab : public BArchivable {
public:
	BTab(BView* contents = NULL);
	BTab(BMessage* archive);
	virtual ~BTab();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	const char* Label() const;
	virtual void SetLabel(const char* label);
	bool IsSelected() const;
	// Puts the view into the owner (the tab view's container) / takes it out.
	virtual void Select(BView* owner);
	virtual void Deselect();
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;
	void MakeFocus(bool focus = true);
	bool IsFocus() const;
	virtual void SetView(BView* view);
	BView* View() const;

	virtual void DrawLabel(BView* owner, BRect frame);
	virtual void DrawTab(BView* owner, BRect frame, tab_position position, bool full = true);

private:
	friend class BTabView;

	BTab(const BTab&) = delete;
	BTab& operator=(const BTab&) = delete;

	BView* fView;
	BTabView* fTabView;
	bool fEnabled;
	bool fSelected;
	bool fFocus;
};

// Pages behind a row of tabs; only the selected tab's view is in the window.
class BTabView : public BView {
public:
	BTabView(BRect frame, const char* name, button_width width = B_WIDTH_AS_USUAL,
			 uint32 resizingMode = B_FOLLOW_ALL,
			 uint32 flags = B_FULL_UPDATE_ON_RESIZE | B_WILL_DRAW | B_NAVIGABLE_JUMP |
							B_FRAME_EVENTS | B_NAVIGABLE);
	BTabView(BMessage* archive);
	virtual ~BTabView();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);
	virtual void FrameResized(float newWidth, float newHeight);

	virtual void Select(int32 index);
	int32 Selection() const;
	virtual void AddTab(BView* target, BTab* tab = NULL);
	virtual BTab* TabAt(int32 index) const;
	int32 CountTabs() const;
	int32 IndexOf(BTab* tab) const;
	BView* ViewForTab(int32 index) const;
	BView* ContainerView() const;

	void SetTabWidth(button_width width);
	button_width TabWidth() const;
	float TabHeight() const;
	BRect TabFrame(int32 index) const;

private:
	void _InitTabView(button_width width);
	void _PlaceContainer();

	std::vector<BTab*> fTabs;
	BView* fContainer;
	button_width fTabWidthSetting;
	float fTabHeight;
	int32 fSelection;
};

#endif
