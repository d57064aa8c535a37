#ifndef DEMO_VIEW_H
#define DEMO_VIEW_H

#include <Bitmap.h>
#include <View.h>

// Draws a little of everything a view can: lines, rectangles, text in two scripts, a bitmap.
class DemoView : public BView {
public:
	explicit DemoView(BRect frame);
	virtual ~DemoView();

	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);

private:
	BRect MarkFrame() const;

	BBitmap* fBitmap;
	BPoint fMark;
	bool fMarked;
};

#endif
