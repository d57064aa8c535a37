#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>

// Holds a lock for the lifetime of the object. Works with anything that has bool Lock() and
// void Unlock() (a BLocker, a BLooper ...).
class BAutolock {
public:
	template <typename Lockable>
	explicit BAutolock(Lockable* object)
		: fObject(object), fUnlock(&UnlockObject<Lockable>), fIsLocked(false)
	{
		if (object != nullptr)
			fIsLocked = object->Lock();
	}
	template <typename Lockable>
	explicit BAutolock(Lockable& object) : BAutolock(&object)
	{}
	~BAutolock() { Unlock(); }

	bool IsLocked() const { return fIsLocked; }
	void Unlock()
	{
		if (!fIsLocked)
			return;
		fIsLocked = false;
		fUnlock(fObject);
	}

private:
	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	template <typename Lockable>
	static void UnlockObject(void* object)
	{
		static_cast<Lockable*>(object)->Unlock();
	}

	void* fObject;
	void (*fUnlock)(void*);
	bool fIsLocked;
};

#endif
