#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <Menu.h>
#include <StringView.h>

#include <string>

class BMenuBar;
class BMenuItem;

// A label and, right of the divider, a field showing a pop-up menu's choice; a click (or Space
// or the down arrow while focused) opens the menu below the field.
class BMenuField : public BView {
public:
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
			   uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			   uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu, bool fixedSize,
			   uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			   uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	BMenuField(BMessage* archive);
	virtual ~BMenuField();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);
	virtual void AttachedToWindow();
	virtual void MouseDown(BPoint where);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);
	virtual void GetPreferredSize(float* width, float* height);

	BMenu* Menu() const;
	BMenuBar* MenuBar() const;
	BMenuItem* MenuItem() const;

	virtual void SetLabel(const char* label);
	const char* Label() const;
	virtual void SetEnabled(bool on);
	bool IsEnabled() const;
	virtual void SetAlignment(alignment label);
	alignment Alignment() const;
	virtual void SetDivider(float position);
	float Divider() const;

private:
	friend class _BMCMenuBar_;

	void _InitField(const char* label, BMenu* menu, bool fixedSize);
	void _PlaceBar();

	std::string fLabel;
	bool fHasLabel;
	BMenu* fMenu;
	BMenuBar* fMenuBar;
	alignment fAlign;
	float fDivider;
	bool fEnabled;
	bool fFixedSize;
	bool fShowMarker;
};

#endif
