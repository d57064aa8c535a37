// The user's side of the headless display: finding windows, posting input, waiting for the
// windows to catch up, and their pictures.

#include "HeadlessDisplay.h"

#include <AppDefs.h>
#include <Window.h>

#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace BPrivate {

namespace {

std::string
file_name_for(const std::string& title)
{
	std::string name = title;
	std::replace(name.begin(), name.end(), '/', '_');
	return name + ".png";
}

} // namespace

status_t
write_png(const char* path, const uint32* pixels, int32 width, int32 height)
{
	if (width <= 0 || height <= 0)
		return B_BAD_VALUE;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
	cairo_surface_flush(surface);
	uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	for (int32 y = 0; y < height; y++)
		memcpy(data + y * stride, pixels + size_t(y) * size_t(width), size_t(width) * 4);
	cairo_surface_mark_dirty(surface);
	static std::atomic<int> counter{0};
	char temporary[4096];
	snprintf(temporary, sizeof(temporary), "%s.%d-%d.tmp", path, int(getpid()), counter++);
	cairo_status_t status = cairo_surface_write_to_png(surface, temporary);
	cairo_surface_destroy(surface);
	if (status != CAIRO_STATUS_SUCCESS) {
		unlink(temporary);
		return B_IO_ERROR;
	}
	if (rename(temporary, path) != 0) {
		unlink(temporary);
		return B_IO_ERROR;
	}
	return B_OK;
}

BWindow*
HeadlessDisplay::WaitForWindow(const char* title, bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(fLock);
	auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(timeout);
	for (;;) {
		for (auto it = fOrder.rbegin(); it != fOrder.rend(); ++it) {
			Record& record = fWindows[*it];
			if (record.shown && record.title == title)
				return *it;
		}
		if (fChanged.wait_until(guard, deadline) == std::cv_status::timeout) {
			for (auto it = fOrder.rbegin(); it != fOrder.rend(); ++it) {
				Record& record = fWindows[*it];
				if (record.shown && record.title == title)
					return *it;
			}
			return nullptr;
		}
	}
}

bool
HeadlessDisplay::IsShown(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	return it != fWindows.end() && it->second.shown;
}

status_t
HeadlessDisplay::WaitForFront(BWindow* window, bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(fLock);
	auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(timeout);
	while (fActive != window) {
		if (fWindows.find(window) == fWindows.end())
			return B_BAD_VALUE;
		if (fChanged.wait_until(guard, deadline) == std::cv_status::timeout)
			return fActive == window ? B_OK : B_TIMED_OUT;
	}
	return B_OK;
}

status_t
HeadlessDisplay::PostInput(BWindow* window, BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return B_BAD_VALUE;
	Record& record = it->second;
	BPoint where;
	if (message->FindPoint("where", &where) == B_OK) {
		record.pointer = where;
		int32 buttons = 0;
		message->FindInt32("buttons", &buttons);
		record.buttons = uint32(buttons);
	}
	// A press in a window that takes the focus makes it the active one.
	if (message->what == B_MOUSE_DOWN && record.shown && (record.flags & B_AVOID_FOCUS) == 0)
		_Activate(window);
	return window->PostMessage(message);
}

status_t
HeadlessDisplay::Sync(BWindow* window, bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(fLock);
	if (fWindows.find(window) == fWindows.end())
		return B_BAD_VALUE;
	int64 id = fNextSync++;
	fSyncs[id] = window;
	status_t status = PostSync(window, id);
	if (status != B_OK) {
		fSyncs.erase(id);
		return status;
	}
	auto deadline = std::chrono::steady_clock::now() + std::chrono::microseconds(timeout);
	while (fSyncs.find(id) != fSyncs.end()) {
		if (fChanged.wait_until(guard, deadline) == std::cv_status::timeout) {
			if (fSyncs.erase(id) > 0)
				return B_TIMED_OUT;
		}
	}
	return B_OK;
}

void
HeadlessDisplay::Present(BWindow* window, const uint8* bits, int32 width, int32 height,
						 int32 bytesPerRow, const BRect*)
{
	std::string path;
	std::vector<uint32> copy;
	std::string firstShown;
	bool first = false;
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fWindows.find(window);
		if (it == fWindows.end())
			return;
		Record& record = it->second;
		if (fShotDirectory.empty()) {
			record.borrowed = bits;
			record.borrowedStride = bytesPerRow;
			record.width = width;
			record.height = height;
		} else {
			// Pictures are written only when the frame changed: compared at once.
			_TakeCopy(record);
			std::vector<uint32> pixels;
			CopyPicture(bits, bytesPerRow, width, height, &pixels);
			bool changed =
				width != record.width || height != record.height || pixels != record.pixels;
			record.pixels = std::move(pixels);
			record.width = width;
			record.height = height;
			if (changed && record.shown) {
				path = fShotDirectory + "/" + file_name_for(record.title);
				copy = record.pixels;
			}
		}
		if (record.shown && !record.reported) {
			record.reported = true;
			first = true;
			firstShown = record.title;
		}
		fChanged.notify_all();
	}
	if (first)
		ReportFirstFrame(firstShown.c_str());
	if (!path.empty())
		write_png(path.c_str(), copy.data(), width, height);
}

void
HeadlessDisplay::WillDraw(BWindow* window)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it != fWindows.end())
		_TakeCopy(it->second);
}

void
HeadlessDisplay::_TakeCopy(Record& record)
{
	if (record.borrowed == nullptr)
		return;
	CopyPicture(record.borrowed, record.borrowedStride, record.width, record.height,
				&record.pixels);
	record.borrowed = nullptr;
}

bool
HeadlessDisplay::_HasFrame(const Record& record)
{
	return record.borrowed != nullptr || !record.pixels.empty();
}

status_t
HeadlessDisplay::CopyFrame(BWindow* window, std::vector<uint32>* pixels, int32* width,
						   int32* height)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return B_BAD_VALUE;
	_TakeCopy(it->second);
	if (it->second.pixels.empty())
		return B_NO_INIT;
	*pixels = it->second.pixels;
	*width = it->second.width;
	*height = it->second.height;
	return B_OK;
}

status_t
HeadlessDisplay::WriteFrame(BWindow* window, const char* path)
{
	std::vector<uint32> pixels;
	int32 width;
	int32 height;
	status_t status = CopyFrame(window, &pixels, &width, &height);
	if (status != B_OK)
		return status;
	return write_png(path, pixels.data(), width, height);
}

status_t
HeadlessDisplay::ScreenWhere(BWindow* window, BPoint where, BPoint* screenWhere)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto it = fWindows.find(window);
	if (it == fWindows.end())
		return B_BAD_VALUE;
	*screenWhere = where + it->second.frame.LeftTop();
	return B_OK;
}

} // namespace BPrivate
