#ifndef _VIEW_H
#define _VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Rect.h>

#include <vector>

class BBitmap;
class BMessage;
class BWindow;

namespace BPrivate {
class ViewDrawing;
struct WindowInternals;
} // namespace BPrivate

// Mouse buttons as the "buttons" field carries them.
enum {
	B_PRIMARY_MOUSE_BUTTON = 0x01,
	B_SECONDARY_MOUSE_BUTTON = 0x02,
	B_TERTIARY_MOUSE_BUTTON = 0x04
};

// Where the pointer is relative to the view a B_MOUSE_MOVED reaches.
enum { B_ENTERED_VIEW = 0, B_INSIDE_VIEW, B_EXITED_VIEW, B_OUTSIDE_VIEW };

// Event masks and their options.
enum { B_POINTER_EVENTS = 0x00000001, B_KEYBOARD_EVENTS = 0x00000002 };

enum {
	B_LOCK_WINDOW_FOCUS = 0x00000001,
	B_SUSPEND_VIEW_FOCUS = 0x00000002,
	B_NO_POINTER_HISTORY = 0x00000004,
	B_FULL_POINTER_HISTORY = 0x00000010
};

// View flags (the high half of the flags word).
const uint32 B_FULL_UPDATE_ON_RESIZE = 0x80000000UL;
const uint32 _B_RESERVED1_ = 0x40000000UL;
const uint32 B_WILL_DRAW = 0x20000000UL;
const uint32 B_PULSE_NEEDED = 0x10000000UL;
const uint32 B_NAVIGABLE_JUMP = 0x08000000UL;
const uint32 B_FRAME_EVENTS = 0x04000000UL;
const uint32 B_NAVIGABLE = 0x02000000UL;
const uint32 B_SUBPIXEL_PRECISE = 0x01000000UL;
const uint32 B_DRAW_ON_CHILDREN = 0x00800000UL;
const uint32 B_INPUT_METHOD_AWARE = 0x00400000UL;
const uint32 B_SUPPORTS_LAYOUT = 0x00100000UL;
const uint32 B_INVALIDATE_AFTER_LAYOUT = 0x00080000UL;

// Resizing modes (the low half): one rule for each edge, applied when the parent resizes.
#define _RESIZE_MASK_ (0xffff)

const uint32 _VIEW_TOP_ = 1UL;
const uint32 _VIEW_LEFT_ = 2UL;
const uint32 _VIEW_BOTTOM_ = 3UL;
const uint32 _VIEW_RIGHT_ = 4UL;
const uint32 _VIEW_CENTER_ = 5UL;

inline uint32
_rule_(uint32 r1, uint32 r2, uint32 r3, uint32 r4)
{
	return (r1 << 12) | (r2 << 8) | (r3 << 4) | r4;
}

#define B_FOLLOW_NONE 0
#define B_FOLLOW_ALL_SIDES _rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_)
#define B_FOLLOW_ALL B_FOLLOW_ALL_SIDES

#define B_FOLLOW_LEFT _rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_)
#define B_FOLLOW_RIGHT _rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_LEFT_RIGHT _rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_)
#define B_FOLLOW_H_CENTER _rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_)

#define B_FOLLOW_TOP _rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0)
#define B_FOLLOW_BOTTOM _rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_TOP_BOTTOM _rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0)
#define B_FOLLOW_V_CENTER _rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0)

// A rectangle of a window that draws itself and receives the user's input; views form a tree
// below the window. Frames are in the parent's coordinates and, like every rectangle of the
// platform, inclusive: a frame (0,0,9,9) covers 10x10 pixels.
class BView : public BHandler {
public:
	BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	BView(BMessage* archive);
	virtual ~BView();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void AllAttached();
	virtual void DetachedFromWindow();
	virtual void AllDetached();

	virtual void MessageReceived(BMessage* message);

	// The tree.
	void AddChild(BView* child, BView* before = NULL);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* NextSibling() const;
	BView* PreviousSibling() const;
	bool RemoveSelf();
	BWindow* Window() const;
	BView* Parent() const;
	BView* FindView(const char* name) const;

	// Hooks.
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void WindowActivated(bool active);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void KeyUp(const char* bytes, int32 numBytes);
	virtual void Pulse();
	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);

	// Input.
	virtual void MakeFocus(bool focus = true);
	bool IsFocus() const;
	status_t SetEventMask(uint32 mask, uint32 options = 0);
	status_t SetMouseEventMask(uint32 mask, uint32 options = 0);
	void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);

	// Visibility.
	virtual void Show();
	virtual void Hide();
	bool IsHidden() const;
	bool IsHidden(const BView* looking) const;

	// Geometry.
	BRect Bounds() const;
	BRect Frame() const;
	void MoveBy(float dh, float dv);
	void MoveTo(BPoint where);
	void MoveTo(float x, float y);
	void ResizeBy(float dh, float dv);
	void ResizeTo(float width, float height);
	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();

	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;
	void ConvertToParent(BPoint* point) const;
	BPoint ConvertToParent(BPoint point) const;
	void ConvertFromParent(BPoint* point) const;
	BPoint ConvertFromParent(BPoint point) const;
	void ConvertToParent(BRect* rect) const;
	BRect ConvertToParent(BRect rect) const;
	void ConvertFromParent(BRect* rect) const;
	BRect ConvertFromParent(BRect rect) const;

	virtual void SetFlags(uint32 flags);
	uint32 Flags() const;
	uint32 ResizingMode() const;

	// Colours and the pen.
	virtual void SetViewColor(rgb_color color);
	void SetViewColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color ViewColor() const;
	void SetViewUIColor(color_which which, float tint = B_NO_TINT);
	color_which ViewUIColor(float* tint = NULL) const;
	virtual void SetHighColor(rgb_color color);
	void SetHighColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color HighColor() const;
	void SetHighUIColor(color_which which, float tint = B_NO_TINT);
	virtual void SetLowColor(rgb_color color);
	void SetLowColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255);
	rgb_color LowColor() const;
	void SetLowUIColor(color_which which, float tint = B_NO_TINT);

	virtual void SetDrawingMode(drawing_mode mode);
	drawing_mode DrawingMode() const;
	void SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc);
	virtual void SetPenSize(float size);
	float PenSize() const;
	void MovePenTo(BPoint point);
	void MovePenTo(float x, float y);
	BPoint PenLocation() const;

	// Drawing.
	void StrokeLine(BPoint toPoint, ::pattern pattern = B_SOLID_HIGH);
	void StrokeLine(BPoint start, BPoint end, ::pattern pattern = B_SOLID_HIGH);
	void StrokeRect(BRect rect, ::pattern pattern = B_SOLID_HIGH);
	void FillRect(BRect rect, ::pattern pattern = B_SOLID_HIGH);
	void StrokeEllipse(BRect rect, ::pattern pattern = B_SOLID_HIGH);
	void FillEllipse(BRect rect, ::pattern pattern = B_SOLID_HIGH);
	void FillTriangle(BPoint pt1, BPoint pt2, BPoint pt3, ::pattern pattern = B_SOLID_HIGH);
	void BeginLineArray(int32 count);
	void AddLine(BPoint start, BPoint end, rgb_color color);
	void EndLineArray();

	void DrawString(const char* string, escapement_delta* delta = NULL);
	void DrawString(const char* string, int32 length, escapement_delta* delta = NULL);
	void DrawString(const char* string, BPoint location, escapement_delta* delta = NULL);
	void DrawString(const char* string, int32 length, BPoint location,
					escapement_delta* delta = NULL);

	void DrawBitmap(const BBitmap* bitmap);
	void DrawBitmap(const BBitmap* bitmap, BPoint where);
	void DrawBitmap(const BBitmap* bitmap, BRect destRect);
	void DrawBitmap(const BBitmap* bitmap, BRect bitmapRect, BRect viewRect);

	void Invalidate(BRect invalRect);
	void Invalidate();
	void Flush() const;
	void Sync() const;

	// Text.
	virtual void SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	void GetFont(BFont* font) const;
	void SetFontSize(float size);
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetFontHeight(font_height* height) const;

private:
	friend class BWindow;
	friend class BPrivate::ViewDrawing;
	friend struct BPrivate::WindowInternals;

	BView(const BView&) = delete;
	BView& operator=(const BView&) = delete;

	void _InitData(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	void _ReadArchive(BMessage* archive);
	void _AddChildrenFromArchive(BMessage* archive);
	status_t _ArchiveState(BMessage* archive) const;
	void _Attach(BWindow* window);
	void _Detach();
	void _AttachHooks();
	void _AllAttachedHooks();
	void _DetachHooks();
	void _AllDetachedHooks();
	void _SetWindow(BWindow* window);
	void _ParentResizedBy(float dh, float dv);
	void _FrameChanged(bool moved, bool resized);
	BPoint _WindowOrigin() const;
	// The part of the window this view may draw on, in window coordinates; invalid when nothing.
	BRect _VisibleInWindow() const;
	void _InvalidateInWindow(BRect windowRect);
	void _UpdateUIColors();

	BView* fParent;
	std::vector<BView*> fChildren;
	BWindow* fOwner;
	bool fTopLevel;

	BRect fFrame;
	uint32 fFlags;
	int32 fShowLevel;

	rgb_color fViewColor;
	rgb_color fHighColor;
	rgb_color fLowColor;
	color_which fUIWhich[3];
	float fUITint[3];

	BFont fFont;
	bool fFontSet;
	drawing_mode fDrawingMode;
	bool fDrawingModeSet;
	source_alpha fSourceAlpha;
	alpha_function fAlphaFunction;
	bool fBlendingSet;
	float fPenSize;
	bool fPenSizeSet;
	BPoint fPenLocation;
	bool fPenLocationSet;

	uint32 fEventMask;
	uint32 fEventOptions;
	bool fEventMaskSet;

	struct LineArrayEntry {
		BPoint start;
		BPoint end;
		rgb_color color;
	};
	std::vector<LineArrayEntry>* fLineArray;
};

#endif
