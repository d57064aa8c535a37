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

private:
	BHandler* mHandler;
};

#endif
