// A handler belongs to at most one looper, and deleting it takes it out of that looper.
#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <MessageFilter.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "Watchdog.h"

namespace {

// Records the codes of what reaches the looper itself.
class SeenLooper : public BLooper {
public:
	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fSeen.push_back(message->what);
		fChanged.notify_all();
	}

	bool WaitFor(uint32 what)
	{
		std::unique_lock<std::mutex> guard(fLock);
		return fChanged.wait_for(guard, std::chrono::seconds(10), [&] {
			for (uint32 seen : fSeen) {
				if (seen == what)
					return true;
			}
			return false;
		});
	}

	std::vector<uint32> Seen()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fSeen;
	}

private:
	std::mutex fLock;
	std::condition_variable fChanged;
	std::vector<uint32> fSeen;
};

std::atomic<int> gFiltered(0);

filter_result
count_filter(BMessage*, BHandler**, BMessageFilter*)
{
	gFiltered++;
	return B_DISPATCH_MESSAGE;
}

} // namespace

TEST(HandlerLifetime, ADeletedHandlerLeavesItsLooperWorking)
{
	Watchdog watchdog(20);
	SeenLooper* looper = new SeenLooper;
	BHandler* gone = new BHandler("gone");
	BHandler* stays = new BHandler("stays");
	gone->AddFilter(new BMessageFilter(B_ANY_DELIVERY, B_ANY_SOURCE, count_filter));
	looper->AddHandler(gone);
	looper->AddHandler(stays);
	stays->SetNextHandler(gone);
	looper->SetPreferredHandler(gone);
	looper->Run();

	ASSERT_TRUE(looper->Lock());
	// Queued for the handler while the looper is held: it must find nobody, not freed memory.
	ASSERT_EQ(looper->PostMessage('late', gone), B_OK);
	delete gone;
	EXPECT_EQ(looper->CountHandlers(), 2);
	EXPECT_EQ(looper->IndexOf(stays), 1);
	EXPECT_EQ(looper->PreferredHandler(), nullptr);
	EXPECT_EQ(stays->NextHandler(), looper);
	looper->Unlock();

	// A message for the preferred handler now reaches the looper; the late one reached no one.
	ASSERT_EQ(looper->PostMessage('pref', looper->PreferredHandler()), B_OK);
	ASSERT_EQ(looper->PostMessage('stay', stays), B_OK);
	ASSERT_TRUE(looper->WaitFor('pref'));
	ASSERT_TRUE(looper->WaitFor('stay'));
	EXPECT_EQ(looper->Seen(), (std::vector<uint32>{'pref', 'stay'}));
	EXPECT_EQ(gFiltered.load(), 0);

	ASSERT_TRUE(looper->Lock());
	looper->Quit();
	// The looper is gone; the handler left behind is free to go too.
	EXPECT_EQ(stays->Looper(), nullptr);
	EXPECT_EQ(stays->NextHandler(), nullptr);
	delete stays;
}

TEST(HandlerLifetime, TheLooperIsTheNextHandlerOfWhatItAdds)
{
	BLooper* looper = new BLooper;
	BHandler handler;
	ASSERT_TRUE(looper->Lock());
	looper->AddHandler(&handler);
	EXPECT_EQ(handler.NextHandler(), looper);
	EXPECT_EQ(looper->NextHandler(), nullptr);
	ASSERT_TRUE(looper->RemoveHandler(&handler));
	EXPECT_EQ(handler.NextHandler(), nullptr);
	EXPECT_EQ(handler.Looper(), nullptr);
	looper->Quit();
}
