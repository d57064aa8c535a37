#ifndef _DISPLAY_H
#define _DISPLAY_H

// Where windows meet a screen. A display shows the frames windows hand it and turns the user's
// input into the platform's messages, posted to the window's looper. One display serves the
// process; it is chosen on first use: BEAPI_DISPLAY=sdl|headless forces one (a forced display
// that cannot start ends the program with status 1), otherwise sdl where DISPLAY or
// WAYLAND_DISPLAY is set and it starts, else headless.

#include <Point.h>
#include <Rect.h>
#include <SupportDefs.h>

#include <vector>

class BWindow;

namespace BPrivate {

// The marker PostSync sends: the window handles it when everything queued before it is, draws
// what is pending and tells the display through SyncReached ("id", int64; "hops", int32 times it
// went back to the end of the queue). It never reaches a filter or a handler.
enum : uint32 { kWindowSyncCode = '_wsy' };

class Display {
public:
	// Starts the display on a thread of its own and returns at once: whatever the program does
	// meanwhile (finding its settings, building its first window) overlaps the time the desktop
	// takes to be reached. Called as the application starts; repeated calls do nothing.
	static void Prepare();
	// The display, once it has started.
	static Display* Default();
	// Ends the display before the process ends: its windows closed and the desktop left by the
	// thread that owns them, that thread joined. Runs by itself as the process exits (returning
	// from main or calling exit), before the libraries the display uses are taken down; windows
	// that still draw afterwards draw nowhere. Repeated calls do nothing.
	static void Shutdown();

	virtual ~Display();

	virtual const char* Name() const = 0;
	// The screen in the platform's coordinates (its device pixels divided by the scale).
	virtual BRect ScreenFrame() = 0;
	// Device pixels to one of the platform's pixels, fixed for the life of the process: a
	// window's image is its bounds times this, drawn at the screen's own resolution.
	float Scale() const { return fScale; }

	// The window side; any thread. After RemoveWindow returns, nothing is posted to the window.
	virtual void AddWindow(BWindow* window) = 0;
	virtual void RemoveWindow(BWindow* window) = 0;
	virtual void ShowWindow(BWindow* window) = 0;
	virtual void HideWindow(BWindow* window) = 0;
	virtual void SetWindowTitle(BWindow* window, const char* title) = 0;
	virtual void SetWindowFrame(BWindow* window, BRect frame) = 0;
	virtual void ActivateWindow(BWindow* window, bool active) = 0;

	// The window's finished image (B_RGB32 words, 0xffRRGGBB), from its thread. The bits stay
	// as they are until the window calls WillDraw. `changed` is the part that differs from the
	// image presented before, in device pixels (inclusive); NULL: any of it may.
	virtual void Present(BWindow* window, const uint8* bits, int32 width, int32 height,
						 int32 bytesPerRow, const BRect* changed = NULL) = 0;
	// The window is about to draw over (or replace) the image it presented last, from its
	// thread; a display that kept that image by reference copies it now.
	virtual void WillDraw(BWindow* window);
	// Where the pointer is in the window's coordinates and which buttons are held.
	virtual void GetPointer(BWindow* window, BPoint* where, uint32* buttons) = 0;
	// The window has handled everything before the marker with this id and shown the result.
	virtual void SyncReached(int64 id) = 0;
	// The window's thread waits for the user elsewhere (a modal alert's Go): whoever waits for
	// the window to catch up must not wait for it now.
	virtual void WindowBlocked(BWindow* window);

	// Stops the threads the display runs; called once, by Shutdown.
	virtual void Stop();

	// Posts the window a marker that comes back through SyncReached.
	static status_t PostSync(BWindow* window, int64 id);

	// A window's first frame has reached the screen. When BEAPI_FRAME_FD names an open file
	// descriptor, the line "frame <title>" is written to it, so that whoever started the
	// program (a start-up benchmark, a script) learns the moment without polling pictures.
	static void ReportFirstFrame(const char* title);

protected:
	// Set while the display starts, before any window exists.
	void SetScale(float scale) { fScale = scale; }
	// A window's image, rows of `bytesPerRow` bytes, as whole rows of B_RGB32 words.
	static void CopyPicture(const uint8* bits, int32 bytesPerRow, int32 width, int32 height,
							std::vector<uint32>* pixels);

private:
	float fScale = 1.0f;
};

} // namespace BPrivate

#endif
