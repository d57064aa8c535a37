#include <util/SpyFilter.h>

#include <Handler.h>
#include <Message.h>

namespace {

const char* const kSpySendFlag = "SpySendFlag";

} // namespace

TSpyFilter::TSpyFilter(uint32 what, BMessenger target)
	: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, what), mTarget(target)
{}

filter_result
TSpyFilter::Filter(BMessage* message, BHandler**)
{
	bool alreadyCopied = false;
	if (message->FindBool(kSpySendFlag, &alreadyCopied) != B_OK) {
		BMessage copy(*message);
		copy.AddBool(kSpySendFlag, true);
		mTarget.SendMessage(&copy, static_cast<BHandler*>(NULL), B_INFINITE_TIMEOUT);
	}
	return B_DISPATCH_MESSAGE;
}
