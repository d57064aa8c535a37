#include <MessageRunner.h>

#include <Message.h>
#include <OS.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace {

// One thread of the process sends the messages of every runner when they fall due.
class RunnerService {
public:
	static RunnerService& Default()
	{
		static RunnerService* service = new RunnerService;
		return *service;
	}

	int32 Add(const BMessenger& target, const BMessage& message, bigtime_t interval, int32 count,
			  const BMessenger& replyTo, bool detached)
	{
		std::lock_guard<std::mutex> guard(fLock);
		int32 token = fNextToken++;
		Runner& runner = fRunners[token];
		runner.target = target;
		runner.message = message;
		runner.replyTo = replyTo;
		runner.interval = interval;
		runner.remaining = count > 0 ? count : -1;
		runner.next = system_time() + interval;
		runner.detached = detached;
		if (!fThread.joinable())
			fThread = std::thread([this] { _Loop(); });
		fChanged.notify_one();
		return token;
	}

	void Remove(int32 token)
	{
		std::lock_guard<std::mutex> guard(fLock);
		fRunners.erase(token);
		fChanged.notify_one();
	}

	status_t SetInterval(int32 token, bigtime_t interval)
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fRunners.find(token);
		if (it == fRunners.end() || it->second.remaining == 0)
			return B_BAD_VALUE;
		it->second.interval = interval;
		it->second.next = system_time() + interval;
		fChanged.notify_one();
		return B_OK;
	}

	status_t SetCount(int32 token, int32 count)
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fRunners.find(token);
		if (it == fRunners.end() || it->second.remaining == 0)
			return B_BAD_VALUE;
		it->second.remaining = count > 0 ? count : -1;
		fChanged.notify_one();
		return B_OK;
	}

	status_t GetInfo(int32 token, bigtime_t* interval, int32* count)
	{
		std::lock_guard<std::mutex> guard(fLock);
		auto it = fRunners.find(token);
		if (it == fRunners.end() || it->second.remaining == 0)
			return B_BAD_VALUE;
		if (interval != NULL)
			*interval = it->second.interval;
		if (count != NULL)
			*count = it->second.remaining;
		return B_OK;
	}

private:
	struct Runner {
		BMessenger target;
		BMessage message;
		BMessenger replyTo;
		bigtime_t interval = 0;
		// -1 for ever; 0 once done (kept for its owner, who may still ask).
		int32 remaining = -1;
		bigtime_t next = 0;
		bool detached = false;
	};

	void _Loop()
	{
		std::unique_lock<std::mutex> lock(fLock);
		for (;;) {
			bigtime_t now = system_time();
			bigtime_t earliest = B_INFINITE_TIMEOUT;
			for (auto it = fRunners.begin(); it != fRunners.end();) {
				Runner& runner = it->second;
				if (runner.remaining != 0 && runner.next <= now) {
					// Sent while the lock is held, so a deleted runner never sends again.
					runner.target.SendMessage(&runner.message, runner.replyTo, 0);
					if (runner.remaining > 0)
						runner.remaining--;
					runner.next += runner.interval;
					if (runner.next < now)
						runner.next = now + runner.interval;
				}
				if (runner.remaining == 0 && runner.detached) {
					it = fRunners.erase(it);
					continue;
				}
				if (runner.remaining != 0 && runner.next < earliest)
					earliest = runner.next;
				++it;
			}
			if (earliest == B_INFINITE_TIMEOUT)
				fChanged.wait(lock);
			else
				fChanged.wait_for(lock, std::chrono::microseconds(earliest - now));
		}
	}

	std::mutex fLock;
	std::condition_variable fChanged;
	std::map<int32, Runner> fRunners;
	std::thread fThread;
	int32 fNextToken = 1;
};

} // namespace

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
							   int32 count)
{
	_InitData(target, message, interval, count, BMessenger());
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
							   int32 count)
{
	_InitData(target, &message, interval, count, BMessenger());
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
							   int32 count, BMessenger replyTo)
{
	_InitData(target, message, interval, count, replyTo);
}

BMessageRunner::BMessageRunner(BMessenger target, const BMessage& message, bigtime_t interval,
							   int32 count, BMessenger replyTo)
{
	_InitData(target, &message, interval, count, replyTo);
}

void
BMessageRunner::_InitData(BMessenger target, const BMessage* message, bigtime_t interval,
						  int32 count, BMessenger replyTo)
{
	fToken = -1;
	if (message == NULL || interval <= 0 || !target.IsValid())
		return;
	fToken = RunnerService::Default().Add(target, *message, interval, count, replyTo, false);
}

BMessageRunner::~BMessageRunner()
{
	if (fToken >= 0)
		RunnerService::Default().Remove(fToken);
}

status_t
BMessageRunner::InitCheck() const
{
	return fToken >= 0 ? B_OK : B_BAD_VALUE;
}

status_t
BMessageRunner::SetInterval(bigtime_t interval)
{
	if (fToken < 0 || interval <= 0)
		return B_BAD_VALUE;
	return RunnerService::Default().SetInterval(fToken, interval);
}

status_t
BMessageRunner::SetCount(int32 count)
{
	if (fToken < 0)
		return B_BAD_VALUE;
	return RunnerService::Default().SetCount(fToken, count);
}

status_t
BMessageRunner::GetInfo(bigtime_t* interval, int32* count) const
{
	if (fToken < 0)
		return B_BAD_VALUE;
	return RunnerService::Default().GetInfo(fToken, interval, count);
}

status_t
BMessageRunner::StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
							 int32 count)
{
	return StartSending(target, message, interval, count, BMessenger());
}

status_t
BMessageRunner::StartSending(BMessenger target, const BMessage* message, bigtime_t interval,
							 int32 count, BMessenger replyTo)
{
	if (message == NULL || interval <= 0 || count <= 0 || !target.IsValid())
		return B_BAD_VALUE;
	RunnerService::Default().Add(target, *message, interval, count, replyTo, true);
	return B_OK;
}
