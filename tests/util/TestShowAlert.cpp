#include "HeadlessEnvironment.h"
#include "Watchdog.h"

#include <util/UIHelpers.h>

#include <Alert.h>
#include <Button.h>
#include <headless/HeadlessInput.h>

#include <gtest/gtest.h>

#include <future>

using namespace BPrivate::headless;

namespace {

const HeadlessEnvironment sEnvironment;

// Waits for the alert, checks its buttons, answers with the key, and gives Go's result.
int32
answer(const char* headline, const char* label2, int32 escapeIndex, const char* key,
	   int32 expectedButtons)
{
	Watchdog watchdog;
	std::future<int32> result = std::async(std::launch::async, [=] {
		return show_alert3(headline, "Details", "Delete(D)", "Cancel", label2, escapeIndex);
	});
	BWindow* window = wait_for_window(headline);
	EXPECT_NE(window, nullptr);
	BAlert* alert = dynamic_cast<BAlert*>(window);
	EXPECT_NE(alert, nullptr);
	if (alert == nullptr)
		return -100;
	EXPECT_EQ(sync(alert), B_OK);
	int32 buttons = 0;
	if (alert->Lock()) {
		for (int32 i = 0; i < 3; i++)
			buttons += alert->ButtonAt(i) != nullptr ? 1 : 0;
		alert->Unlock();
	}
	EXPECT_EQ(buttons, expectedButtons);
	EXPECT_EQ(press_key(alert, key), B_OK);
	if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
		// Leaving waits for the alert that never ends, until the watchdog gives up on the run.
		ADD_FAILURE() << "the alert did not end";
		return -100;
	}
	return result.get();
}

TEST(ShowAlert3, AnEmptyThirdLabelLeavesTwoButtonsAndEscapeGoesToTheChosenOne)
{
	EXPECT_EQ(answer("Question", "", 1, "escape", 2), 1);
}

TEST(ShowAlert3, OtherButtonsAnswerTheirLetters)
{
	EXPECT_EQ(answer("Another question", "Keep(K)", 1, "k", 3), 2);
}

} // namespace
