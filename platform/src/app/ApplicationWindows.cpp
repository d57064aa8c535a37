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

bool
BApplication::_QuitAllWindows(bool force)
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	if (hooks == NULL || hooks->looper == NULL)
		return true;
	// Newest first, as closing one may close others; each is asked with its lock
	// held.
	for (;;) {
		BWindow* window = NULL;
		{
			std::lock_guard<std::mutex> guard(fWindowLock);
			if (fWindows.empty())
				return true;
			window = fWindows.back();
		}
		BLooper* looper = hooks->looper(window);
		BMessenger messenger(NULL, looper);
		if (!messenger.LockTarget()) {
			_RemoveWindow(window);
			continue;
		}
		if (!force && !looper->QuitRequested()) {
			looper->Unlock();
			return false;
		}
		looper->Quit();
		// A window that quit has left the list itself; one that did not must not
		// stop us.
		_RemoveWindow(window);
	}
}

void
BApplication::_SilentRelaunch()
{
	const BPrivate::WindowHooks* hooks = sWindowHooks.load();
	BWindow* first = WindowAt(0);
	if (hooks != NULL && hooks->activate != NULL && first != NULL)
		hooks->activate(first);
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
