#ifndef _HANDLER_H
#define _HANDLER_H

#include <Archivable.h>
#include <SupportDefs.h>

#include <vector>

class BLooper;
class BMessage;
class BMessageFilter;

namespace BPrivate {
struct LooperAccess;
}

// Receives messages from the looper it belongs to. A handler is touched only while its looper is
// locked; the token it carries lets messengers reach it without holding a pointer.
class BHandler : public BArchivable {
public:
	BHandler(const char* name = NULL);
	BHandler(BMessage* data);
	virtual ~BHandler();

	static BArchivable* Instantiate(BMessage* data);
	virtual status_t Archive(BMessage* data, bool deep = true) const;

	virtual void MessageReceived(BMessage* message);

	BLooper* Looper() const;
	void SetName(const char* name);
	const char* Name() const;

	virtual void SetNextHandler(BHandler* handler);
	BHandler* NextHandler() const;

	virtual void AddFilter(BMessageFilter* filter);
	virtual bool RemoveFilter(BMessageFilter* filter);
	int32 CountFilters() const;
	BMessageFilter* FilterAt(int32 index) const;

	bool LockLooper();
	status_t LockLooperWithTimeout(bigtime_t timeout);
	void UnlockLooper();

private:
	friend class BLooper;
	friend class BMessenger;
	friend struct BPrivate::LooperAccess;

	void _InitData(const char* name);
	void _SetLooper(BLooper* looper);
	int32 _Token() const { return fToken; }

	char* fName;
	int32 fToken;
	BLooper* fLooper;
	BHandler* fNextHandler;
	std::vector<BMessageFilter*> fFilters;
};

#endif
