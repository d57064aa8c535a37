#ifndef _SDL_DISPLAY_H
#define _SDL_DISPLAY_H

// The desktop display: an SDL window for each shown BWindow, all owned by one display thread
// that also turns the user's input into the platform's messages. Other threads only record
// what they want done and wake the display thread.

#include "Display.h"
#include "InputEvents.h"
#include "X11Picture.h"

#include <SDL.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace BPrivate {

class SdlDisplay : public Display {
public:
	// Starts the display thread; NULL with the reason when SDL cannot show windows here.
	static SdlDisplay* Create(const char** reason);
	virtual ~SdlDisplay();

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
	virtual void Stop();

	// The SDL video driver in use ("x11" or "wayland").
	const char* DriverName() const;
	// Waits until the window's first frame is on the screen.
	status_t WaitForFirstFrame(BWindow* window, bigtime_t timeout);

private:
	struct Record {
		SDL_Window* sdl = nullptr;
		// Where its pictures go straight into the X11 window; NULL: through SDL's surface.
		X11TargetPointer x11;
		uint32 id = 0;
		std::string title;
		BRect frame;
		uint32 flags = 0;
		int32 look = 0;
		// The border the display draws around the window's image (the bordered look).
		int32 inset = 0;
		bool shown = false;
		// Shown, and waiting for the frame it is to appear with.
		bool awaitingFrame = false;
		bigtime_t showTime = 0;
		// On the screen (SDL shows it).
		bool mapped = false;
		bool active = false;
		// What the display thread has yet to apply.
		bool titleChanged = false;
		bool frameChanged = false;
		bool visibilityChanged = false;
		bool raise = false;
		bool newPixels = false;
		bool framesShown = false;
		// The image presented last, read where the window drew it until the window draws
		// again: the display keeps no copy of a picture its window's surface already holds.
		const uint8* borrowed = nullptr;
		int32 borrowedStride = 0;
		// A copy of that image, taken only when the window draws again before it was shown,
		// and dropped once it is.
		std::vector<uint32> pixels;
		int32 width = 0;
		int32 height = 0;
		// What changed since the picture last shown, in device pixels; invalid: all of it.
		BRect changed;
		BPoint pointer;
		uint32 buttons = 0;
	};

	// A key pressed whose characters are still to come as text input.
	struct PendingKey {
		bool waiting = false;
		BWindow* window = nullptr;
		KeyStroke stroke;
		uint32 modifiers = 0;
	};

	SdlDisplay();
	void _Run(std::string* reason, std::mutex* startLock, std::condition_variable* started,
			  int* result);
	bool _Start(std::string* reason);
	// Closes the windows and leaves the desktop, on the display thread as it ends.
	void _Finish();
	bool _Stopping();
	void _Wake();

	// In SdlWindows.cpp, on the display thread.
	void _Apply();
	void _ApplyRecord(BWindow* window, Record& record);
	// Puts the window on the screen with the picture it has.
	void _Map(Record& record, bool avoidFocus);
	void _Blit(Record& record);
	static bool _HasPicture(const Record& record);
	static X11Picture _Picture(const Record& record);
	static void _DropCopy(Record& record);
	// The window's picture straight into its X11 window.
	void _Put(Record& record);
	// The window's picture in its SDL surface, and that surface on the screen.
	SDL_Surface* _Compose(Record& record);
	void _Update(Record& record);
	// The window's picture reached the screen.
	void _Shown(Record& record);

	// In SdlEvents.cpp, on the display thread.
	void _HandleEvent(const SDL_Event& event);
	void _HandleWindowEvent(const SDL_WindowEvent& event);
	void _HandleKey(const SDL_KeyboardEvent& event);
	void _HandleText(const SDL_TextInputEvent& event);
	void _HandleButton(const SDL_MouseButtonEvent& event);
	void _HandleMotion(const SDL_MouseMotionEvent& event);
	void _FlushPendingKey();
	BWindow* _WindowFor(uint32 id);
	// The window's record, with the lock held; NULL once the window has gone.
	Record* _Find(BWindow* window);
	void _Post(BWindow* window, BMessage* message);
	void _PostActivation(BWindow* window, bool active);
	// Calls into the window outside the lock; RemoveWindow waits for such a call to end.
	void _BeginCall(BWindow* window);
	void _EndCall();

	std::mutex fLock;
	std::condition_variable fChanged;
	std::map<BWindow*, Record> fWindows;
	std::vector<SDL_Window*> fDoomed;
	BWindow* fCalling;
	BRect fScreen;
	std::string fDriver;
	uint32 fWakeEvent;
	bool fWakePosted;
	// Stop was called: nothing is posted to SDL's queue any more, and the display thread ends.
	// Guarded by fWakeLock, held while an event is pushed, so that none is pushed once SDL is
	// shut down.
	std::mutex fWakeLock;
	bool fStopping;
	// The display thread has left the desktop (guarded by fLock).
	bool fFinished;
	// A window that avoids the focus was shown; without a window manager SDL gives it the focus.
	bool fRefocus;
	// A shown window waits for its first frame (display thread only).
	bool fAwaitingFrames;
	std::thread fThread;

	// Display thread only.
	uint32 fModifiers;
	bool fMenuHeld;
	PendingKey fPending;
	ClickCounter fClicks;
};

} // namespace BPrivate

#endif
