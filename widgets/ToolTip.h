#ifndef WIDGETS_TOOL_TIP_H
#define WIDGETS_TOOL_TIP_H

// A text that appears in a small window below the pointer after the pointer has rested on a view
// for a while, and goes when the pointer leaves, the view is clicked, or the showing time ends.

#include <Handler.h>
#include <OS.h>

#include <atomic>
#include <string>

class BMessageRunner;
class BView;
class BWindow;
class TTTSpy;

// Messages between the spy, the tooltip and its window.
enum {
	TT_MOUSE_ENTERED = 'TTme',
	TT_MOUSE_EXITED = 'TTmx',
	TT_OPEN_WINDOW = 'TTow',
	TT_HIDE_WINDOW = 'TThw'
};

class TToolTip : public BHandler {
public:
	explicit TToolTip(const char* name);
	virtual ~TToolTip();

	virtual void MessageReceived(BMessage* message);

	status_t SetTarget(BView* target);
	BView* Target() const;
	// The target leaves its window: the tooltip and its spy leave it too, and come back with
	// the next SetTarget.
	void TargetDetached();

	status_t SetTip(const std::string& tip);
	std::string Tip() const;

	status_t SetDelayTime(bigtime_t delay);
	bigtime_t DelayTime() const;
	status_t SetShowTime(bigtime_t show);
	bigtime_t ShowTime() const;

	void Hide();
	void HideToolTipWindowRqtd();

	BWindow* FindToolTipWindow();
	bool IsAnyToolTipWindowOpened() const;
	std::string ToolTipWindowName() const;

	// When any tooltip window of the application was last hidden (system time): the next
	// tooltip opens at once shortly after. Windows of their own threads share it.
	static std::atomic<bigtime_t> smLastHideTime;

private:
	TToolTip(const TToolTip&) = delete;
	TToolTip& operator=(const TToolTip&) = delete;

	void MouseEntered();
	void MouseExited();
	void OpenToolTipWindowRqtd();
	void SendToSelf(uint32 what);

	bigtime_t mDelayTime;
	bigtime_t mShowTime;
	std::string mTip;
	BMessageRunner* mOpenTimer;
	BView* mTarget;
	TTTSpy* mSpy;
};

#endif
