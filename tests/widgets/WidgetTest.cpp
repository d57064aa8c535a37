#include "WidgetTest.h"

#include "HeadlessEnvironment.h"

#include <cairo.h>

namespace {

const HeadlessEnvironment sEnvironment;

struct Image {
	int width = 0;
	int height = 0;
	std::vector<uint32> pixels;
};

bool
load_png(const std::string& path, Image* image)
{
	cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
	if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
		cairo_surface_destroy(surface);
		return false;
	}
	cairo_surface_flush(surface);
	image->width = cairo_image_surface_get_width(surface);
	image->height = cairo_image_surface_get_height(surface);
	int stride = cairo_image_surface_get_stride(surface);
	const uint8* data = cairo_image_surface_get_data(surface);
	image->pixels.resize(size_t(image->width) * size_t(image->height));
	for (int y = 0; y < image->height; y++) {
		const uint32* row = reinterpret_cast<const uint32*>(data + y * stride);
		for (int x = 0; x < image->width; x++)
			image->pixels[size_t(y) * size_t(image->width) + size_t(x)] = row[x];
	}
	cairo_surface_destroy(surface);
	return true;
}

} // namespace

TestWindow::TestWindow(const char* title, BRect frame)
	: BWindow(frame, title, B_TITLED_WINDOW, B_NOT_RESIZABLE)
{}

void
TestWindow::ShowAndWait()
{
	Show();
	ASSERT_EQ(BPrivate::headless::wait_for_window(Title()), this);
	ASSERT_EQ(BPrivate::headless::sync(this), B_OK);
}

void
TestWindow::Close(BWindow* window)
{
	if (window->Lock())
		window->Quit();
}

std::vector<BMessage>
TestWindow::Take(uint32 what)
{
	std::vector<BMessage> result;
	std::vector<BMessage> rest;
	Lock();
	for (const BMessage& message : fReceived)
		(message.what == what ? result : rest).push_back(message);
	fReceived = rest;
	Unlock();
	return result;
}

void
TestWindow::MessageReceived(BMessage* message)
{
	fReceived.push_back(*message);
	BWindow::MessageReceived(message);
}

bool
wait_until(BWindow* window, const std::function<bool()>& condition, bigtime_t timeout)
{
	bigtime_t end = system_time() + timeout;
	for (;;) {
		window->Lock();
		bool holds = condition();
		window->Unlock();
		if (holds)
			return true;
		if (system_time() > end)
			return false;
		snooze(5000);
	}
}

double
png_difference(const std::string& path, const std::string& reference)
{
	Image shot;
	Image expected;
	if (!load_png(path, &shot) || !load_png(reference, &expected))
		return -1;
	if (shot.width != expected.width || shot.height != expected.height || shot.pixels.empty())
		return -1;
	// Font rendering may move a few edge pixels a little; anything else is a difference.
	size_t differing = 0;
	for (size_t i = 0; i < shot.pixels.size(); i++) {
		for (int shift = 0; shift < 24; shift += 8) {
			int delta =
				int((shot.pixels[i] >> shift) & 0xff) - int((expected.pixels[i] >> shift) & 0xff);
			if (delta > 40 || delta < -40) {
				differing++;
				break;
			}
		}
	}
	return double(differing) / double(shot.pixels.size());
}
