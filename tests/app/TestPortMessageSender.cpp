#include "Watchdog.h"

#include <app/PortMessageSender.h>
#include <app/Prefs.h>

#include <gtest/gtest.h>

#include <Message.h>
#include <OS.h>
#include <TypeConstants.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const kKeys[] = {"DIMd", "DHgM", "PerT", "ComT", "SlsT", "BrkT", "KyNv", "TKHI",
							 "TKCI", "FxCI", "SpMd", "SSMd", "PctC", "PerC", "ComC", "QstC",
							 "ExcC", "CpmC", "NCpC", "CpUD", "NSCW", "CWFS", "CWFF"};

class PortMessageSenderTest : public testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/sender-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		fSavedPrefs = gPrefs;
	}

	void TearDown() override
	{
		delete gPortMessageSender;
		gPortMessageSender = NULL;
		gPrefs = fSavedPrefs;
		std::string command = "rm -rf '" + fFolder + "'";
		(void)!system(command.c_str());
	}

	Watchdog fWatchdog{30};
	std::string fFolder;
	TPrefs fSavedPrefs;
};

std::string
archive_of_prefs()
{
	BMessage archive(MSG_PREFERENCES_CHANGED);
	gPrefs.Archive(&archive, true);
	std::string bytes(size_t(archive.FlattenedSize()), '\0');
	archive.Flatten(bytes.data(), ssize_t(bytes.size()));
	return bytes;
}

std::string
next_body(port_id port, int32* code)
{
	std::vector<char> buffer(65536);
	ssize_t size = read_port_etc(port, code, buffer.data(), buffer.size(), B_RELATIVE_TIMEOUT, 0);
	return size < 0 ? std::string() : std::string(buffer.data(), size_t(size));
}

TEST_F(PortMessageSenderTest, WithoutAPortNothingIsSent)
{
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
	EXPECT_EQ(gPortMessageSender->FindPort(), B_NAME_NOT_FOUND);
	BMessage message(MSG_PREFERENCES_CHANGED);
	EXPECT_EQ(gPortMessageSender->SendMessage(message), B_NAME_NOT_FOUND);
	send_preferences();

	// A port made later is not looked for again.
	port_id port = create_port(10, PORT_NAME_PREFERENCES);
	send_preferences();
	EXPECT_EQ(port_count(port), 0);
	delete_port(port);
}

TEST_F(PortMessageSenderTest, EachDeliveryIsOneBodyWithTheWholeRecord)
{
	port_id port = create_port(10, PORT_NAME_PREFERENCES);
	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
	gPrefs.mDefaultInputMode = 3;
	gPrefs.mKeyNavigation = 1;
	send_preferences();
	ASSERT_EQ(port_count(port), 1);

	int32 code = -1;
	std::string body = next_body(port, &code);
	EXPECT_EQ(code, 0);
	EXPECT_EQ(body, archive_of_prefs());
	BMessage message;
	ASSERT_EQ(message.Unflatten(body.data()), B_OK);
	EXPECT_EQ(message.what, uint32('_prc'));
	char* name = nullptr;
	type_code type;
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 0, &name, &type), B_OK);
	EXPECT_STREQ(name, "class");
	int32 first = message.CountNames(B_ANY_TYPE) - int32(std::size(kKeys));
	ASSERT_GE(first, 1);
	for (int32 i = 0; i < int32(std::size(kKeys)); i++) {
		ASSERT_EQ(message.GetInfo(B_ANY_TYPE, first + i, &name, &type), B_OK);
		EXPECT_STREQ(name, kKeys[i]);
	}
	EXPECT_EQ(message.GetInt32("DIMd", -1), 3);
	EXPECT_EQ(message.GetInt32("KyNv", -1), 1);

	gPrefs.mSpaceMode = 2;
	send_preferences();
	body = next_body(port, &code);
	ASSERT_EQ(message.Unflatten(body.data()), B_OK);
	EXPECT_EQ(message.GetInt32("SpMd", -1), 2);
	EXPECT_EQ(message.GetInt32("DIMd", -1), 3);
	EXPECT_EQ(port_count(port), 0);

	// The input method went away: the write fails, quietly, and nothing is looked up again.
	delete_port(port);
	EXPECT_EQ(gPortMessageSender->SendMessage(message), B_BAD_PORT_ID);
	send_preferences();
}

std::string
file_bytes(const std::string& path)
{
	std::ifstream file(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST_F(PortMessageSenderTest, AnotherProcessReceivesTheArchiveByteForByte)
{
	int err[2];
	ASSERT_EQ(pipe2(err, O_CLOEXEC), 0);
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
	posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
	std::string tool = BEAPI_BINARY_DIR "/tools/portlisten/portlisten";
	std::string saved = fFolder + "/saved";
	std::vector<std::string> words{tool, "--count", "2", "--save", saved, PORT_NAME_PREFERENCES};
	std::vector<char*> argv;
	for (std::string& word : words)
		argv.push_back(word.data());
	argv.push_back(nullptr);
	pid_t child = -1;
	ASSERT_EQ(posix_spawn(&child, tool.c_str(), &actions, nullptr, argv.data(), environ), 0);
	posix_spawn_file_actions_destroy(&actions);
	close(err[1]);
	char line[128] = {};
	FILE* errors = fdopen(err[0], "r");
	ASSERT_NE(fgets(line, sizeof(line), errors), nullptr);
	EXPECT_STREQ(line, "listening ZorvyPreferencesPort\n");

	gPortMessageSender = new TPortMessageSender(PORT_NAME_PREFERENCES);
	gPrefs.mCWFF = "ゴシック";
	send_preferences();
	std::string first = archive_of_prefs();
	gPrefs.mPunctuationConvert = !gPrefs.mPunctuationConvert;
	send_preferences();
	std::string second = archive_of_prefs();

	int status = 0;
	waitpid(child, &status, 0);
	fclose(errors);
	ASSERT_TRUE(WIFEXITED(status));
	EXPECT_EQ(WEXITSTATUS(status), 0);
	EXPECT_EQ(file_bytes(saved + "/000001.msg"), first);
	EXPECT_EQ(file_bytes(saved + "/000002.msg"), second);
	EXPECT_NE(first, second);
}

} // namespace
