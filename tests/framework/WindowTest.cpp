#include "WindowTest.h"

#include "HeadlessEnvironment.h"

#include <gtest/gtest.h>

namespace {

// The window placement tests need a screen whose frame ends at (1024, 768).
const HeadlessEnvironment sEnvironment("1025x769");

} // namespace

void
with_lock(BWindow* window, const std::function<void()>& function)
{
	ASSERT_TRUE(window->Lock());
	function();
	window->Unlock();
}

void
show_and_wait(BWindow* window)
{
	window->Show();
	ASSERT_EQ(BPrivate::headless::wait_for_window(window->Title()), window);
	ASSERT_EQ(BPrivate::headless::sync(window), B_OK);
}

void
quit_window(BWindow* window)
{
	if (window->Lock())
		window->Quit();
}
