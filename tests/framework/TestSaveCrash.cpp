#include "SettingsFolder.h"
#include "TestRecord.h"

#include <chrono>
#include <random>
#include <thread>

using namespace test_settings;

// A process killed at any moment of a save must leave a settings file that loads: the old
// whole message or the new one.

namespace {

const char kFolder[] = "Crash";
const char kFile[] = "record.arc";
const int kKills = 40;

// Alternately small and large records, so that some saves take long enough to be interrupted
// while the data is being written; the text tells which record it belongs to.
std::string
text_for(int32 count)
{
	size_t size = count % 2 == 0 ? 64 : 256 * 1024;
	return std::string(size, static_cast<char>('a' + count % 26));
}

class SaveCrashTest : public SettingsTest {};

} // namespace

TEST(SaveCrashChild, SaveForever)
{
	if (!is_child())
		GTEST_SKIP() << "runs only as a child of the crash test";
	std::string ready = std::string(getenv("XDG_CONFIG_HOME")) + "/ready";
	TTestRecord record;
	record.LoadByName(kFolder, kFile);
	for (int32 count = record.mCount + 1;; count++) {
		record.mCount = count;
		record.mText = text_for(count);
		if (record.SaveByName(kFolder, kFile) != B_OK)
			_exit(1);
		if (!fs::exists(ready))
			write_file(ready, "");
	}
}

TEST_F(SaveCrashTest, AKilledSaveNeverLeavesAnUnreadableFile)
{
	unsigned seed = std::random_device()();
	SCOPED_TRACE("seed " + std::to_string(seed));
	std::mt19937 random(seed);
	std::uniform_int_distribution<int> pause(0, 20000);
	std::string ready = fRoot + "/ready";

	int32 lastCount = -1;
	for (int kill = 0; kill < kKills; kill++) {
		fs::remove(ready);
		pid_t child = spawn_self("SaveCrashChild.SaveForever", "save loop");
		ASSERT_GT(child, 0);
		auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
		while (!fs::exists(ready) && std::chrono::steady_clock::now() < deadline)
			std::this_thread::sleep_for(std::chrono::milliseconds(1));
		bool started = fs::exists(ready);
		std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
		::kill(child, SIGKILL);
		EXPECT_EQ(wait_exit_code(child), -1) << "the save loop stopped by itself";
		ASSERT_TRUE(started) << "the child never saved";

		TTestRecord loaded;
		ASSERT_EQ(loaded.LoadByName(kFolder, kFile), B_OK) << "after kill " << kill;
		ASSERT_EQ(loaded.mText, text_for(loaded.mCount)) << "after kill " << kill;
		EXPECT_GT(loaded.mCount, lastCount);
		lastCount = loaded.mCount;
	}

	// Proof that some kills came while a new file was being written: its temporary file stays.
	EXPECT_GT(count_files_starting(SettingsPath(kFolder), ".record.arc."), 0);
}
