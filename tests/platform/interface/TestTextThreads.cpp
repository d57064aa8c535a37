#include "InterfaceTest.h"

#include <Font.h>

#include <string>
#include <vector>

namespace {

const char* const kTexts[] = {"入力モード", "OK", "Cancel", "保存(S)", "句読点の種類", "Hgy"};
const int kTextCount = sizeof(kTexts) / sizeof(kTexts[0]);

// Draws every text at several sizes, so that each window's thread lays out texts of its own.
class WordsView : public BView {
public:
	explicit WordsView(int seed)
		: BView(BRect(0, 0, 199, 39), "words", B_FOLLOW_ALL, B_WILL_DRAW), fSeed(seed)
	{}

	virtual void Draw(BRect)
	{
		for (int i = 0; i < 40; i++) {
			SetFontSize(float(10 + (i + fSeed) % 7));
			DrawString(kTexts[(i + fSeed) % kTextCount], BPoint(2, 20));
		}
	}

private:
	int fSeed;
};

// Every window's thread measures and draws with the process's one font map: windows drawing
// while another thread measures must neither crash nor change what that thread measures.
TEST(TextThreads, WindowsDrawWhileAnotherThreadMeasures)
{
	Watchdog watchdog;
	BFont font(be_plain_font);
	font.SetSize(13);
	std::vector<float> alone;
	for (const char* text : kTexts)
		alone.push_back(font.StringWidth(text));

	std::vector<BWindow*> windows;
	std::vector<BView*> views;
	for (int i = 0; i < 3; i++) {
		std::string title = "Words " + std::to_string(i);
		BWindow* window = new BWindow(BRect(10, 10, 209, 49), title.c_str(), B_TITLED_WINDOW, 0);
		BView* view = new WordsView(i);
		window->AddChild(view);
		window->Show();
		windows.push_back(window);
		views.push_back(view);
	}
	int mismatches = 0;
	for (int round = 0; round < 30; round++) {
		for (size_t i = 0; i < windows.size(); i++) {
			ASSERT_TRUE(windows[i]->Lock());
			views[i]->Invalidate();
			windows[i]->Unlock();
		}
		for (int i = 0; i < kTextCount; i++) {
			if (font.StringWidth(kTexts[i]) != alone[i])
				mismatches++;
		}
		for (BWindow* window : windows)
			ASSERT_EQ(BPrivate::headless::sync(window), B_OK);
	}
	EXPECT_EQ(mismatches, 0);
	for (BWindow* window : windows) {
		if (window->Lock())
			window->Quit();
	}
}

} // namespace
