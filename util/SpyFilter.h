#ifndef MOZELT_SPY_FILTER_H
#define MOZELT_SPY_FILTER_H

#include <MessageFilter.h>
#include <Messenger.h>

// Sends a copy of every message of one code to another handler, marked so that a second spy
// does not copy it again; the message itself goes on to its own handler.
class TSpyFilter : public BMessageFilter {
public:
	TSpyFilter(uint32 what, BMessenger target);

	virtual filter_result Filter(BMessage* message, BHandler** target);

private:
	BMessenger mTarget;
};

#endif
