#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Archivable.h>
#include <Rect.h>

#include <string>

class BFont;
class BMessage;
class BView;

// One row of a list view; the list view keeps its selection state and height.
class BListItem : public BArchivable {
public:
	BListItem(uint32 outlineLevel = 0, bool expanded = true);
	BListItem(BMessage* archive);
	virtual ~BListItem();

	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	float Height() const;
	float Width() const;
	bool IsSelected() const;
	void Select();
	void Deselect();
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;
	void SetHeight(float height);
	void SetWidth(float width);
	uint32 OutlineLevel() const;

	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Measures the item in the owner's font.
	virtual void Update(BView* owner, const BFont* font);

private:
	float fWidth;
	float fHeight;
	uint32 fLevel;
	bool fSelected;
	bool fEnabled;
	bool fExpanded;
};

// A list row showing one line of text.
class BStringItem : public BListItem {
public:
	BStringItem(const char* text, uint32 outlineLevel = 0, bool expanded = true);
	BStringItem(BMessage* archive);
	virtual ~BStringItem();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void DrawItem(BView* owner, BRect frame, bool complete = false);
	virtual void SetText(const char* text);
	const char* Text() const;
	virtual void Update(BView* owner, const BFont* font);

private:
	std::string fText;
	bool fHasText;
	float fBaselineOffset;
};

#endif
