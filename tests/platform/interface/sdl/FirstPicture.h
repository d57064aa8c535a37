#ifndef FIRST_PICTURE_H
#define FIRST_PICTURE_H

// What a window shows on an X server at the moment it is mapped: the server is watched for top
// level windows being mapped, and the first one is read at once, before its program can have
// drawn into it after the map.

#include "XServer.h"

#include <cstdint>
#include <vector>

struct FirstPicture {
	unsigned long window = 0;
	int width = 0;
	int height = 0;
	// 0xRRGGBB a pixel, row after row.
	std::vector<uint32_t> pixels;
};

class MapWatch {
public:
	~MapWatch();

	// Starts watching; false where the server cannot be reached.
	bool Start(const XServer& server);
	// Waits for the next window to be mapped and reads it; false at the deadline.
	bool WaitForFirstPicture(int timeoutMs, FirstPicture* picture);
	// Waits until a window manager has taken over the mapping of top-level windows.
	bool WaitForWindowManager(int timeoutMs);

	// The Xlib calls it makes.
	struct Calls;

private:
	const Calls* fCalls = nullptr;
	void* fDisplay = nullptr;
};

#endif
