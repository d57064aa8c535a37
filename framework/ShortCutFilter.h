#ifndef MOZELT_SHORT_CUT_FILTER_H
#define MOZELT_SHORT_CUT_FILTER_H

#include <MessageFilter.h>

class BHandler;

// Sends Control+key, Enter, Escape and function keys to the handler (the window when there
// is none) instead of the focused view; every other key goes on unchanged.
class TShortCutFilter : public BMessageFilter {
public:
	explicit TShortCutFilter(BHandler* handler);

	virtual filter_result Filter(BMessage* message, BHandler** target);

	// Whether the key message is one the filter redirects.
	static bool IsShortCut(const BMessage* message);

private:
	BHandler* mHandler;
};

#endif
