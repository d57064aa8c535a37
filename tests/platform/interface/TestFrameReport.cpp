#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// Whoever starts a program learns when each of its windows first reaches the screen, once per
// window however often it is drawn again.
TEST(FrameReport, EachWindowsFirstFrameIsReportedOnce)
{
	if (access(viewdemo_path().c_str(), X_OK) != 0)
		GTEST_SKIP() << "viewdemo is not built";
	std::string folder = make_temporary_folder();
	std::string script = folder + "/script";
	write_text(script, "click \"View demo\" 150 250\n"
					   "key \"View demo\" a\n"
					   "close \"View demo\"\n");
	std::string report = folder + "/frames";
	// Left open across the start, as a benchmark's pipe would be.
	int fd = open(report.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
	ASSERT_GE(fd, 0);
	ChildResult result =
		run_child(viewdemo_path(), {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script,
									"BEAPI_FRAME_FD=" + std::to_string(fd)});
	close(fd);
	EXPECT_EQ(result.status, 0) << result.errors;
	std::ifstream in(report);
	std::stringstream text;
	text << in.rdbuf();
	EXPECT_EQ(text.str(), "frame View demo\n");

	// A number that names no open file is ignored.
	result = run_child(viewdemo_path(),
					   {"BEAPI_DISPLAY=headless", "BEAPI_EVENTS=" + script, "BEAPI_FRAME_FD=987"});
	EXPECT_EQ(result.status, 0) << result.errors;
}

} // namespace
