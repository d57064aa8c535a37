#ifndef _HEADLESS_DISPLAY_H
#define _HEADLESS_DISPLAY_H

// The display without a screen: frames stay in memory (and, with BEAPI_SCREENSHOT_DIR=DIR, are
// written to DIR/<title>.png whenever they change), and input comes from tests and from the
// script that BEAPI_EVENTS names.

#include "Display.h"

#include <Message.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

class HeadlessDisplay : public Display {
public:
	HeadlessDisplay();
	virtual ~HeadlessDisplay();

	// The headless display in use, or NULL when another one is.
	static HeadlessDisplay* Get();

	virtual const char* Name() const;
	virtual BRect ScreenFrame();
	virtual void AddWindow(BWindow* window);
	virtual void RemoveWindow(BWindow* window);
	virtual void ShowWindow(BWindow* window);
	virtual void HideWindow(BWindow* window);
	virtual void SetWindowTitle(BWindow* window, const char* title);
	virtual void SetWindowFrame(BWindow* window, BRect frame);
	virtual void ActivateWindow(BWindow* window, bool active);
	virtual void Present(BWindow* window, const uint8* bits, int32 width, int32 height,
						 int32 bytesPerRow, const BRect* changed = NULL);
	virtual void WillDraw(BWindow* window);
	virtual void GetPointer(BWindow* window, BPoint* where, uint32* buttons);
	virtual void SyncReached(int64 id);
	virtual void WindowBlocked(BWindow* window);

	// The user's side. Windows are named by pointer; a window that has gone gives
	// B_BAD_VALUE.
	BWindow* WaitForWindow(const char* title, bigtime_t timeout);
	bool IsShown(BWindow* window);
	// Waits until the window is the one in front (the active one): B_TIMED_OUT when it is
	// not by the timeout.
	status_t WaitForFront(BWindow* window, bigtime_t timeout);
	// Posts an input message as the user causes it, keeping track of the pointer.
	status_t PostInput(BWindow* window, BMessage* message);
	// Waits until the window has handled everything posted so far and shown the result.
	status_t Sync(BWindow* window, bigtime_t timeout);
	status_t CopyFrame(BWindow* window, std::vector<uint32>* pixels, int32* width, int32* height);
	status_t WriteFrame(BWindow* window, const char* path);
	status_t ScreenWhere(BWindow* window, BPoint where, BPoint* screenWhere);

private:
	struct Record {
		std::string title;
		BRect frame;
		bool shown = false;
		uint32 flags = 0;
		std::vector<uint32> pixels;
		int32 width = 0;
		int32 height = 0;
		// The window's own image while it does not draw: copied into pixels only when the
		// frame is read or the window is about to draw again, so that a frame nobody reads
		// costs no copy (a fresh buffer's first touch is what a first frame waits for most).
		const uint8* borrowed = nullptr;
		int32 borrowedStride = 0;
		BPoint pointer;
		uint32 buttons = 0;
		// The first frame shown has been reported.
		bool reported = false;
	};

	// Turns a borrowed image into the record's own pixels; fLock is held.
	static void _TakeCopy(Record& record);
	static bool _HasFrame(const Record& record);

	void _Activate(BWindow* window);
	void _Deactivate(BWindow* window);
	void _PostActivation(BWindow* window, bool active);

	std::mutex fLock;
	std::condition_variable fChanged;
	std::map<BWindow*, Record> fWindows;
	// Shown windows, most recently active last.
	std::vector<BWindow*> fOrder;
	BWindow* fActive;
	BRect fScreen;
	std::string fShotDirectory;
	int64 fNextSync;
	std::map<int64, BWindow*> fSyncs;
};

// Writes a B_RGB32 image as a PNG, through a temporary file renamed over the target.
status_t write_png(const char* path, const uint32* pixels, int32 width, int32 height);

} // namespace BPrivate

#endif
