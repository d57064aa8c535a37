#include "AppRun.h"
#include "PngImage.h"
#include "Script.h"

#include <Rect.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <unistd.h>

namespace {

using namespace script;

// A settings file with only the given fields, as an older or hand-made one may be.
BMessage
partial_prefs()
{
	BMessage prefs('_prc');
	prefs.AddString("class", "TPrefs");
	return prefs;
}

// Every script runs on screens of three densities: the application speaks the platform's
// coordinates whatever the screen's scale.
class ApplicationTest : public testing::TestWithParam<float> {
protected:
	void SetUp() override { ASSERT_TRUE(fRun.Listen()); }

	static std::string ScaleVariable() { return "BEAPI_SCALE=" + std::to_string(GetParam()); }
	// A device length of the platform's pixels on this screen.
	static int Device(int pixels) { return int(std::ceil(pixels * GetParam() - 1e-3)); }

	AppRun fRun{{ScaleVariable()}};
};

INSTANTIATE_TEST_SUITE_P(Scales, ApplicationTest, testing::Values(1.0f, 1.5f, 2.0f),
						 [](const testing::TestParamInfo<float>& info) {
							 return "x" + std::to_string(int(info.param * 10));
						 });

TEST_P(ApplicationTest, FirstRunShowsTheInputPageAndClosingSavesOnlyTheWindowPlace)
{
	std::string script = shot(fRun, "input.png") + click(kRowInputAssist) +
						 shot(fRun, "assist.png") + click(kRowPunctuation) +
						 shot(fRun, "punctuation.png") + kClose;
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	EXPECT_TRUE(fRun.Bodies().empty());
	EXPECT_EQ(access(fRun.SettingsPath().c_str(), F_OK), -1);

	BMessage states;
	ASSERT_TRUE(fRun.ReadMessage(fRun.ExitStatesPath(), &states));
	EXPECT_STREQ(states.GetString("_Ver", ""), "Ver 1.40");
	BRect frame;
	ASSERT_EQ(states.FindRect("_WFr", &frame), B_OK);
	EXPECT_EQ(frame, BRect(50, 50, 600, 335));

	// The three pages with the default settings, as they were checked by eye: drawn at the
	// screen's resolution, not a small picture blown up.
	for (const char* page : {"input.png", "assist.png", "punctuation.png"}) {
		SCOPED_TRACE(page);
		PngImage shot;
		ASSERT_TRUE(load_png(fRun.ShotPath(page), &shot));
		EXPECT_EQ(shot.width, Device(551));
		EXPECT_EQ(shot.height, Device(286));
		std::string reference = BEAPI_SOURCE_DIR "/tests/e2e/ref/" + std::string(page);
		if (GetParam() == 2.0f) {
			PngImage small;
			ASSERT_TRUE(load_png(reference, &small));
			EXPECT_GT(image_difference(shot, scaled_up(small, 2), 48), 0.01);
			reference = BEAPI_SOURCE_DIR "/tests/e2e/ref/x2/" + std::string(page);
		} else if (GetParam() != 1.0f) {
			continue;
		}
		double difference = png_difference(fRun.ShotPath(page), reference, 48);
		EXPECT_GE(difference, 0);
		EXPECT_LT(difference, 0.01);
	}
}

TEST_P(ApplicationTest, AStoredFrameOfAnySizeKeepsOnlyItsCorner)
{
	BMessage states;
	states.AddString("_Ver", "Ver 1.00");
	states.AddRect("_WFr", BRect(120, 80, 900, 700));
	ASSERT_TRUE(fRun.WriteMessage(fRun.ExitStatesPath(), states));
	ASSERT_EQ(fRun.Run(kClose), 0) << fRun.Errors();

	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.ExitStatesPath(), &saved));
	EXPECT_STREQ(saved.GetString("_Ver", ""), "Ver 1.40");
	BRect frame;
	ASSERT_EQ(saved.FindRect("_WFr", &frame), B_OK);
	EXPECT_EQ(frame, BRect(120, 80, 670, 365));
}

TEST_P(ApplicationTest, ACornerOffTheScreenIsBroughtBack)
{
	BMessage states;
	states.AddRect("_WFr", BRect(5000, 4000, 5550, 4285));
	ASSERT_TRUE(fRun.WriteMessage(fRun.ExitStatesPath(), states));
	// A screen of 1024 × 768 of the platform's pixels, whatever its density.
	std::string screen = std::to_string(Device(1024)) + "x" + std::to_string(Device(768));
	ASSERT_EQ(fRun.Run(kClose, {"BEAPI_SCREEN=" + screen}), 0) << fRun.Errors();
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.ExitStatesPath(), &saved));
	BRect frame;
	ASSERT_EQ(saved.FindRect("_WFr", &frame), B_OK);
	EXPECT_EQ(frame.Width(), 550);
	EXPECT_TRUE(BRect(0, 0, 1023, 767).Contains(frame));
}

TEST_P(ApplicationTest, CancelDeliversTheOpeningValuesOnceMoreAndLeavesTheFileAlone)
{
	BMessage prefs = partial_prefs();
	prefs.AddBool("TKHI", false);
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), prefs));
	std::string before = fRun.FileBytes(fRun.SettingsPath());

	ASSERT_EQ(fRun.Run(click(kRowInputAssist) + click(kTenKeyHalf) + click(kCancel)), 0)
		<< fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_TRUE(bodies[0].GetBool("TKHI", false));
	EXPECT_FALSE(bodies[1].GetBool("TKHI", true));
	// Fields the file lacked come with their defaults.
	EXPECT_TRUE(bodies[1].GetBool("TKCI", false));
	EXPECT_EQ(bodies[1].GetInt32("SSMd", -1), 3);
	EXPECT_EQ(fRun.FileBytes(fRun.SettingsPath()), before);
}

TEST_P(ApplicationTest, EscapeIsCancel)
{
	ASSERT_EQ(fRun.Run(click(kRowPunctuation) + click(kMasterSwitch) + key("escape")), 0)
		<< fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_FALSE(bodies[0].GetBool("PctC", true));
	EXPECT_TRUE(bodies[1].GetBool("PctC", false));
	EXPECT_EQ(access(fRun.SettingsPath().c_str(), F_OK), -1);
}

TEST_P(ApplicationTest, OKAndEnterSaveWithoutDeliveringAgain)
{
	ASSERT_EQ(fRun.Run(click(kRowInputAssist) + click(kFixedConfirm) + click(kOK)), 0)
		<< fRun.Errors();
	EXPECT_EQ(fRun.Bodies().size(), 1u);
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_TRUE(saved.GetBool("FxCI", false));

	// Enter after a click on a check box still means OK.
	ASSERT_EQ(fRun.Run(click(kRowInputAssist) + click(kFixedConfirm) + key("enter")), 0)
		<< fRun.Errors();
	EXPECT_EQ(fRun.Bodies().size(), 2u);
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_FALSE(saved.GetBool("FxCI", true));
}

TEST_P(ApplicationTest, StartUpModeAndKanaWaitForTheNextDelivery)
{
	// Below hiragana comes a separator: one step down is input mode 2.
	std::string script = key("k", "control") + click(kInputModeField) +
						 "key Menu down\nkey Menu enter\n" + click(kPeriodTrue) + key("enter");
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_EQ(bodies[0].GetInt32("DHgM", -1), 1);
	EXPECT_EQ(bodies[0].GetInt32("DIMd", -1), 2);
	EXPECT_TRUE(bodies[0].GetBool("PerT", false));
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_EQ(saved.GetInt32("DHgM", -1), 1);
	EXPECT_EQ(saved.GetInt32("DIMd", -1), 2);
}

TEST_P(ApplicationTest, MenuChoicesDeliverAtOnce)
{
	std::string script = click(kKeyNavigationField) + "key Menu down\nkey Menu enter\n" +
						 click(kRowInputAssist) + click(kSpaceModeField) +
						 "key Menu down\nkey Menu down\nkey Menu enter\n" + kClose;
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	EXPECT_EQ(bodies[0].GetInt32("KyNv", -1), 1);
	EXPECT_EQ(bodies[1].GetInt32("SpMd", -1), 2);
	// Closing the window is neither OK nor Cancel.
	EXPECT_EQ(access(fRun.SettingsPath().c_str(), F_OK), -1);
}

TEST_P(ApplicationTest, TheMasterSwitchTakesItsOptionsAlong)
{
	std::string script = click(kRowPunctuation) + click(kMasterSwitch) + click(kPeriodConvert) +
						 key("k", "control") + key("e", "control") + key("t", "control") + kClose;
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 3u);
	EXPECT_FALSE(bodies[0].GetBool("PctC", true));
	// The options kept their state while they were off.
	EXPECT_TRUE(bodies[1].GetBool("PctC", false));
	EXPECT_TRUE(bodies[1].GetBool("PerC", false));
	EXPECT_TRUE(bodies[2].GetBool("ComC", false));
}

TEST_P(ApplicationTest, TheKeyboardAloneReachesEveryPart)
{
	// Tab to the list, down to the third category, on past Cancel and OK to the page's first
	// box, Space to untick it, Enter for OK.
	std::string script = key("tab") + key("down") + key("down") + key("tab") + key("tab") +
						 key("tab") + key("space") + key("enter");
	ASSERT_EQ(fRun.Run(script), 0) << fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 1u);
	EXPECT_FALSE(bodies[0].GetBool("PctC", true));
	BMessage saved;
	ASSERT_TRUE(fRun.ReadMessage(fRun.SettingsPath(), &saved));
	EXPECT_FALSE(saved.GetBool("PctC", true));
}

TEST_P(ApplicationTest, StoredValuesWithoutAnItemSurviveUntilChosen)
{
	BMessage prefs = partial_prefs();
	prefs.AddInt32("KyNv", 9);
	prefs.AddInt32("SpMd", 7);
	ASSERT_TRUE(fRun.WriteMessage(fRun.SettingsPath(), prefs));
	ASSERT_EQ(fRun.Run(click(kRowInputAssist) + click(kTenKeyHalf) + click(kCancel)), 0)
		<< fRun.Errors();
	std::vector<BMessage> bodies = fRun.Bodies();
	ASSERT_EQ(bodies.size(), 2u);
	for (const BMessage& body : bodies) {
		EXPECT_EQ(body.GetInt32("KyNv", -1), 9);
		EXPECT_EQ(body.GetInt32("SpMd", -1), 7);
	}
}

TEST(ApplicationAlone, WorksWithoutTheInputMethod)
{
	AppRun run;
	ASSERT_EQ(run.Run(click(kRowPunctuation) + click(kMasterSwitch) + click(kOK)), 0)
		<< run.Errors();
	BMessage saved;
	ASSERT_TRUE(run.ReadMessage(run.SettingsPath(), &saved));
	EXPECT_FALSE(saved.GetBool("PctC", true));
}

TEST(ApplicationAlone, ABadScaleIsToldAndTheWindowIsDrawnAtOne)
{
	for (const char* scale : {"0", "two", "4.5"}) {
		SCOPED_TRACE(scale);
		AppRun run({std::string("BEAPI_SCALE=") + scale});
		ASSERT_EQ(run.Run(shot(run, "input.png") + kClose), 0) << run.Errors();
		EXPECT_NE(run.Errors().find(std::string("BEAPI_SCALE=") + scale + ": not a display scale"),
				  std::string::npos)
			<< run.Errors();
		PngImage picture;
		ASSERT_TRUE(load_png(run.ShotPath("input.png"), &picture));
		EXPECT_EQ(picture.width, 551);
		EXPECT_EQ(picture.height, 286);
	}
}

TEST(ApplicationAlone, ASecondStartHandsOverAndEnds)
{
	AppRun run;
	pid_t first = run.Start("wait 4000\n" + kClose, "first");
	// The first one is up once its window has been drawn.
	for (int i = 0;
		 i < 500 && access((run.Folder() + "/shots/" + kWindowTitle + ".png").c_str(), F_OK) != 0;
		 i++)
		usleep(10000);
	pid_t second = run.Start("", "second");
	EXPECT_EQ(run.Wait(second, "second"), 0) << run.Errors();
	EXPECT_EQ(run.Wait(first, "first"), 0) << run.Errors();
	BMessage states;
	EXPECT_TRUE(run.ReadMessage(run.ExitStatesPath(), &states));
}

} // namespace
