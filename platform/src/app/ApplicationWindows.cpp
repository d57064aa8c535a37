#include <Application.h>

#include <Message.h>
#include <MessageRunner.h>

#include <algorithm>
#include <cstring>
#include <unistd.h>

#include "AppResourcesPrivate.h"
#include "LooperPrivate.h"
#include "RosterRegistry.h"

namespace {

std::atomic<const BPrivate::WindowHooks*> sWindowHooks{NULL};

} // namespace

void
BApplication::_SetWindowHooks(const BPrivate::WindowHooks* hooks)
{
	sWindowHooks.store(hooks);
}

void
BApplication::_PrepareDisplay()
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	if (hooks != NULL && hooks->prepareDisplay != NULL)
		hooks->prepareDisplay();
}

void
BApplication::_AddWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fWindowLock);
	if (std::find(fWindows.begin(), fWindows.end(), window) == fWindows.end())
		fWindows.push_back(window);
}

void
BApplication::_RemoveWindow(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fWindowLock);
	fWindows.erase(std::remove(fWindows.begin(), fWindows.end(), window), fWindows.end());
}

int32
BApplication::CountWindows() const
{
	std::lock_guard<std::mutex> guard(fWindowLock);
	return (int32)fWindows.size();
}

BWindow*
BApplication::WindowAt(int32 index) const
{
	std::lock_guard<std::mutex> guard(fWindowLock);
	if (index < 0 || (size_t)index >= fWindows.size())
		return NULL;
	return fWindows[index];
}

namespace {

// A messenger to the window's looper. Only while the window list's lock is held and the window is
// in the list may its fields be read: a window leaves the list in its destructor, from its own
// thread, before its memory goes. The messenger names the looper by a token that is never reused,
// so whatever it reaches later is that same window or nothing.
BMessenger
window_messenger(const BPrivate::WindowHooks* hooks, BWindow* window)
{
	return BMessenger(NULL, hooks->looper(window));
}

} // namespace

BLooper*
BApplication::_LockWindowAt(bool last, BWindow** window, BMessenger* messenger)
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	*window = NULL;
	if (hooks == NULL || hooks->looper == NULL)
		return NULL;
	{
		std::lock_guard<std::mutex> guard(fWindowLock);
		if (fWindows.empty())
			return NULL;
		*window = last ? fWindows.back() : fWindows.front();
		*messenger = window_messenger(hooks, *window);
	}
	// The window's own lock is taken without the list's: a closing window holds its lock while
	// it leaves the list. A window that went meanwhile cannot be locked.
	BLooper* looper = NULL;
	if (!messenger->LockTarget())
		return NULL;
	messenger->Target(&looper);
	return looper;
}

void
BApplication::_ForgetWindow(BWindow* window, const BMessenger& messenger)
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	std::lock_guard<std::mutex> guard(fWindowLock);
	auto found = std::find(fWindows.begin(), fWindows.end(), window);
	// A new window may have been made where a gone one was: only the same window is dropped.
	if (found != fWindows.end() && window_messenger(hooks, *found) == messenger)
		fWindows.erase(found);
}

bool
BApplication::_QuitAllWindows(bool force)
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	if (hooks == NULL || hooks->looper == NULL)
		return true;
	// Newest first, as closing one may close others; each is asked with its lock held. Windows
	// may close themselves on their own threads all the while.
	for (;;) {
		BWindow* window = NULL;
		BMessenger messenger;
		BLooper* looper = _LockWindowAt(true, &window, &messenger);
		if (window == NULL)
			return true;
		if (looper == NULL) {
			_ForgetWindow(window, messenger);
			continue;
		}
		if (!force && !looper->QuitRequested()) {
			looper->Unlock();
			return false;
		}
		looper->Quit();
		// A window that quit has left the list itself; one that did not must not stop us.
		_ForgetWindow(window, messenger);
	}
}

void
BApplication::_SilentRelaunch()
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	if (hooks == NULL || hooks->activate == NULL)
		return;
	BWindow* first = NULL;
	BMessenger messenger;
	BLooper* looper = _LockWindowAt(false, &first, &messenger);
	if (looper == NULL)
		return;
	hooks->activate(first);
	looper->Unlock();
}

const char*
BApplication::Signature() const
{
	return fSignature;
}

status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	if (fInitError != B_OK)
		return fInitError;
	return be_roster->GetRunningAppInfo(getpid(), info);
}
