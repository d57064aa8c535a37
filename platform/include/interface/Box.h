#ifndef _BOX_H
#define _BOX_H

#include <View.h>

#include <string>

enum border_style { B_PLAIN_BORDER = 0, B_FANCY_BORDER = 1, B_NO_BORDER = 2 };

// A frame that groups the views inside it, with an optional label in its top edge.
class BBox : public BView {
public:
	BBox(BRect frame, const char* name = NULL, uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		 uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP,
		 border_style border = B_FANCY_BORDER);
	BBox(BMessage* archive);
	virtual ~BBox();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void Draw(BRect updateRect);

	virtual void SetBorder(border_style border);
	border_style Border() const;
	void SetLabel(const char* label);
	const char* Label() const;

	virtual void GetPreferredSize(float* width, float* height);

private:
	std::string fLabel;
	bool fHasLabel;
	border_style fStyle;
};

#endif
