#ifndef WIDGETS_TOOL_BUTTON_H
#define WIDGETS_TOOL_BUTTON_H

// A button of a toolbar: an image, a text label or both; a push button or a toggle, and
// toggles may form radio groups bounded by separators. It owns its images and its tooltip.

#include <Control.h>
#include <GraphicsDefs.h>
#include <StringView.h>

#include <framework/ShortCutReceiver.h>

#include <string>
#include <vector>

class BBitmap;
class TToolBar;
class TToolTip;

extern const rgb_color COLOR_BRIGHT_BORDER;
extern const rgb_color COLOR_DARK_BORDER;
extern const rgb_color COLOR_DISABLED_FILLED;
extern const rgb_color COLOR_DISABLED_LABEL;
extern const rgb_color COLOR_ENABLED_DISABLED_ON_BG;
extern const rgb_color COLOR_ENABLED_LABEL;
extern const rgb_color COLOR_HOT_OFF_BG;

// Behaviours.
enum { TOOL_BUTTON_PUSH = 0, TOOL_BUTTON_TOGGLE = 1 };

// Drawing states, which are also the image slots.
enum {
	TOOL_STATE_ENABLED_OFF = 0,
	TOOL_STATE_ENABLED_ON = 1,
	TOOL_STATE_DISABLED_OFF = 2,
	TOOL_STATE_DISABLED_ON = 3,
	TOOL_STATE_HOT = 4,
	TOOL_IMAGE_SLOTS = 6
};

class TToolButton : public BControl, public TShortCutReceiver {
public:
	TToolButton(BRect frame, const char* name, BBitmap* image, const char* label, BMessage* message,
				uint32 behavior);
	TToolButton(BRect frame, const char* name, BBitmap* image, BMessage* message, uint32 behavior);
	virtual ~TToolButton();

	virtual void AttachedToWindow();
	virtual void DetachedFromWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void WindowActivated(bool active);
	virtual void ResizeToPreferred();
	virtual void SetLabel(const char* label);
	virtual void SetValue(int32 value);

	virtual void SetAlignment(alignment horizontal, alignment vertical);
	virtual void SetDivider(float divider);
	virtual status_t SetBehavior(uint32 behavior);
	virtual status_t SetRadioMode(bool radio);

	// Control and the letter of its label: on and invoked, without taking the focus.
	virtual void ShortCutPressed();

	status_t SetImage(int32 index, BBitmap* image);
	BBitmap* Image(int32 index) const;
	status_t SetDefaultImages();
	status_t ClearImages();
	static void ConvertFilledCopy(const BBitmap* source, BBitmap** result, const rgb_color& color);
	static void ConvertTransparentCopy(const BBitmap* source, BBitmap** result,
									   const rgb_color& color);

	uint32 Behavior() const;
	bool IsRadioMode() const;
	bool IsHot() const;
	float Divider() const;
	void GetAlignment(alignment* horizontal, alignment* vertical) const;
	void AdjustDivider();
	void GetBrothers(std::vector<TToolButton*>* brothers);

	status_t SetTip(const std::string& tip);
	std::string Tip() const;
	TToolTip* ToolTip() const;

	float MinWidth() const;
	// The drawing state the button is in now.
	int32 DrawingState() const;

	TToolBar* OwnerBar() const;

private:
	friend class TToolBar;

	TToolButton(const TToolButton&) = delete;
	TToolButton& operator=(const TToolButton&) = delete;

	void InitButton(BBitmap* image, uint32 behavior);
	void CalcDrawPoints();
	void PreferredSize(float* width, float* height) const;

	bool mMouseInside;
	bool mTracking;
	bool mHot;
	bool mRadioMode;
	uint32 mBehavior;
	float mDivider;
	alignment mHAlignment;
	alignment mVAlignment;
	BBitmap* mImages[TOOL_IMAGE_SLOTS];
	BPoint mImagePoint;
	BPoint mLabelPoint;
	TToolBar* mOwnerBar;
	TToolTip* mToolTip;
};

#endif
