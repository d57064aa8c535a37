#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <View.h>

#include <string>

// One line of text that the user cannot change.
class BStringView : public BView {
public:
	BStringView(BRect frame, const char* name, const char* text,
				uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);
	BStringView(BMessage* archive);
	virtual ~BStringView();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);

	void SetText(const char* text);
	const char* Text() const;
	void SetAlignment(alignment flag);
	alignment Alignment() const;

	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

private:
	std::string fText;
	bool fHasText;
	alignment fAlign;
};

#endif
