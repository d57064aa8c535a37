#ifndef _TEXT_INPUT_H
#define _TEXT_INPUT_H

// The one-line text view inside a text control, archived under the platform's private class
// name.

#include <TextView.h>

#include <string>

class BTextControl;

namespace BPrivate {

class _BTextInput_ : public BTextView {
public:
	_BTextInput_(BRect frame, BRect textRect, uint32 resizingMode, uint32 flags);
	_BTextInput_(BMessage* archive);
	virtual ~_BTextInput_();

	static BArchivable* Instantiate(BMessage* archive);

	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);

	// The text as it was when the control last sent its message.
	void SetInvokedText(const char* text);

protected:
	virtual void InsertText(const char* text, int32 length, int32 offset,
							const text_run_array* runs);
	virtual void DeleteText(int32 fromOffset, int32 toOffset);

private:
	BTextControl* _Control() const;
	void _InvokeIfChanged();

	std::string fInvokedText;
	bool fChanged;
};

} // namespace BPrivate

#endif
