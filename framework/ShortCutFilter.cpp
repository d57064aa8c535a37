#include <framework/ShortCutFilter.h>

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Looper.h>
#include <Message.h>

TShortCutFilter::TShortCutFilter(BHandler* handler)
	: BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, B_KEY_DOWN), mHandler(handler)
{}

bool
TShortCutFilter::IsShortCut(const BMessage* message)
{
	int32 modifiers = 0;
	int32 rawChar = 0;
	message->FindInt32("modifiers", &modifiers);
	message->FindInt32("raw_char", &rawChar);
	return (modifiers & B_CONTROL_KEY) != 0 || rawChar == B_ESCAPE || rawChar == B_ENTER ||
		   rawChar == B_FUNCTION_KEY;
}

filter_result
TShortCutFilter::Filter(BMessage* message, BHandler** target)
{
	if (IsShortCut(message))
		*target = mHandler != NULL ? mHandler : Looper();
	return B_DISPATCH_MESSAGE;
}
