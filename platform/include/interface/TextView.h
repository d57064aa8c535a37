#ifndef _TEXT_VIEW_H
#define _TEXT_VIEW_H

#include <StringView.h>
#include <View.h>

#include <set>
#include <string>

struct text_run {
	int32 offset;
	BFont font;
	rgb_color color;
};

struct text_run_array {
	int32 count;
	text_run runs[1];
};

// Text the user types and selects: UTF-8, with a caret, a selection, keyboard editing and
// mouse selection; one font and colour throughout. Lines break at line feeds only.
class BTextView : public BView {
public:
	BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode, uint32 flags);
	BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
			  const rgb_color* initialColor, uint32 resizingMode, uint32 flags);
	BTextView(BMessage* archive);
	virtual ~BTextView();

	static BArchivable* Instantiate(BMessage* archive);
	virtual status_t Archive(BMessage* archive, bool deep = true) const;

	virtual void AttachedToWindow();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);
	virtual void WindowActivated(bool active);

	void SetText(const char* text, const text_run_array* runs = NULL);
	void SetText(const char* text, int32 length, const text_run_array* runs = NULL);
	void Insert(const char* text, const text_run_array* runs = NULL);
	void Insert(const char* text, int32 length, const text_run_array* runs = NULL);
	void Insert(int32 offset, const char* text, int32 length, const text_run_array* runs = NULL);
	void Delete();
	void Delete(int32 startOffset, int32 endOffset);

	const char* Text() const;
	int32 TextLength() const;
	uint8 ByteAt(int32 offset) const;
	int32 CountLines() const;
	int32 CurrentLine() const;

	virtual void Select(int32 startOffset, int32 endOffset);
	void SelectAll();
	void GetSelection(int32* start, int32* end) const;

	void SetTextRect(BRect rect);
	BRect TextRect() const;
	void MakeEditable(bool editable = true);
	void MakeSelectable(bool selectable = true);
	void SetMaxBytes(int32 max);
	void SetAlignment(alignment flag);
	alignment Alignment() const;
	void SetTabWidth(float width);
	float TabWidth() const;

	float LineHeight(int32 lineNumber = 0) const;
	float TextHeight(int32 startLine, int32 endLine) const;
	// The byte offset nearest to a point, and the point (top of the line) of an offset.
	int32 OffsetAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = NULL) const;
	int32 LineAt(int32 offset) const;

protected:
	// Every change of the text passes through these two.
	virtual void InsertText(const char* text, int32 length, int32 offset,
							const text_run_array* runs);
	virtual void DeleteText(int32 fromOffset, int32 toOffset);

private:
	void _InitText(BRect textRect);
	int32 _LineStart(int32 line) const;
	int32 _LineEnd(int32 line) const;
	int32 _PreviousCharacter(int32 offset) const;
	int32 _NextCharacter(int32 offset) const;
	float _X(int32 line, int32 offset) const;
	std::string _Shown(int32 from, int32 to) const;
	void _Type(const char* bytes, int32 numBytes);
	void _MoveCaret(int32 offset, bool extend);
	void _Changed();

	std::string fText;
	BRect fTextRect;
	int32 fSelStart;
	int32 fSelEnd;
	int32 fAnchor;
	int32 fMaxBytes;
	float fTabWidth;
	alignment fAlign;
	std::set<uint32> fDisallowed;
	bool fEditable;
	bool fSelectable;
	bool fWrap;
	bool fAutoindent;
	bool fStylable;
	bool fHidden;
	bool fTracking;
};

#endif
