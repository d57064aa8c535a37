#include <MessageFilter.h>

BMessageFilter::BMessageFilter(uint32 what, filter_hook func)
	: fWhat(what), fFiltersAny(false), fDelivery(B_ANY_DELIVERY), fSource(B_ANY_SOURCE),
	  fLooper(NULL), fFilterFunction(func)
{}

BMessageFilter::BMessageFilter(message_delivery delivery, message_source source, filter_hook func)
	: fWhat(0), fFiltersAny(true), fDelivery(delivery), fSource(source), fLooper(NULL),
	  fFilterFunction(func)
{}

BMessageFilter::BMessageFilter(message_delivery delivery, message_source source, uint32 what,
							   filter_hook func)
	: fWhat(what), fFiltersAny(false), fDelivery(delivery), fSource(source), fLooper(NULL),
	  fFilterFunction(func)
{}

BMessageFilter::BMessageFilter(const BMessageFilter& filter)
	: fWhat(filter.fWhat), fFiltersAny(filter.fFiltersAny), fDelivery(filter.fDelivery),
	  fSource(filter.fSource), fLooper(NULL), fFilterFunction(filter.fFilterFunction)
{}

BMessageFilter::BMessageFilter(const BMessageFilter* filter) : BMessageFilter(*filter) {}

BMessageFilter::~BMessageFilter() {}

BMessageFilter&
BMessageFilter::operator=(const BMessageFilter& from)
{
	fWhat = from.fWhat;
	fFiltersAny = from.fFiltersAny;
	fDelivery = from.fDelivery;
	fSource = from.fSource;
	fFilterFunction = from.fFilterFunction;
	return *this;
}

filter_result
BMessageFilter::Filter(BMessage*, BHandler**)
{
	return B_DISPATCH_MESSAGE;
}
