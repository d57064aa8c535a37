#ifndef _MESSAGE_FILTER_H
#define _MESSAGE_FILTER_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;
class BMessageFilter;

enum filter_result { B_SKIP_MESSAGE, B_DISPATCH_MESSAGE };

typedef filter_result (*filter_hook)(BMessage* message, BHandler** target, BMessageFilter* filter);

enum message_delivery { B_ANY_DELIVERY, B_DROPPED_DELIVERY, B_PROGRAMMED_DELIVERY };

enum message_source { B_ANY_SOURCE, B_REMOTE_SOURCE, B_LOCAL_SOURCE };

// Looks at a message before its handler does: it can let it pass, drop it, or send it to another
// handler of the same looper.
class BMessageFilter {
public:
	BMessageFilter(uint32 what, filter_hook func = NULL);
	BMessageFilter(message_delivery delivery, message_source source, filter_hook func = NULL);
	BMessageFilter(message_delivery delivery, message_source source, uint32 what,
				   filter_hook func = NULL);
	BMessageFilter(const BMessageFilter& filter);
	BMessageFilter(const BMessageFilter* filter);
	virtual ~BMessageFilter();

	BMessageFilter& operator=(const BMessageFilter& from);

	virtual filter_result Filter(BMessage* message, BHandler** target);

	message_delivery MessageDelivery() const { return fDelivery; }
	message_source MessageSource() const { return fSource; }
	uint32 Command() const { return fWhat; }
	bool FiltersAnyCommand() const { return fFiltersAny; }
	BLooper* Looper() const { return fLooper; }
	filter_hook FilterFunction() const { return fFilterFunction; }

private:
	friend class BLooper;
	friend class BHandler;

	void _SetLooper(BLooper* looper) { fLooper = looper; }

	uint32 fWhat;
	bool fFiltersAny;
	message_delivery fDelivery;
	message_source fSource;
	BLooper* fLooper;
	filter_hook fFilterFunction;
};

#endif
