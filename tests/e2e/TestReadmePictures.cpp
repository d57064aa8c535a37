#include "PngImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <string>

// The README shows each page as it is today: the script that draws the pictures still works, and
// what it draws now is what the README shows.
TEST(ReadmePictures, AreWhatTheApplicationDrawsToday)
{
	char folder[] = "/tmp/readme-pictures.XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	std::string command = "'" BEAPI_SOURCE_DIR "/docs/screenshots.sh' '" BEAPI_BINARY_DIR "' '" +
						  std::string(folder) + "' 2>/dev/null";
	ASSERT_EQ(std::system(command.c_str()), 0) << command;
	for (const char* page : {"input.png", "assist.png", "punctuation.png"}) {
		SCOPED_TRACE(page);
		double difference =
			png_difference(std::string(folder) + "/" + page,
						   BEAPI_SOURCE_DIR "/docs/images/" + std::string(page), 48);
		EXPECT_GE(difference, 0);
		EXPECT_LT(difference, 0.01)
			<< "the README's pictures are out of date: run docs/screenshots.sh";
	}
	std::error_code ignored;
	std::filesystem::remove_all(folder, ignored);
}
