#ifndef TESTS_COMMON_HEADLESS_ENVIRONMENT_H
#define TESTS_COMMON_HEADLESS_ENVIRONMENT_H

#include <cstdlib>

// Chooses the headless display, and the test fonts so that text is measured and drawn as the
// reference images were on every machine. It must run before anything starts the display, so a
// test folder that opens windows in its own process defines one at namespace scope; tests that
// depend on where the screen ends give its size.
class HeadlessEnvironment {
public:
	explicit HeadlessEnvironment(const char* screen = nullptr)
	{
		setenv("BEAPI_DISPLAY", "headless", 1);
		setenv("FONTCONFIG_FILE", BEAPI_SOURCE_DIR "/tests/fonts.conf", 1);
		if (screen != nullptr)
			setenv("BEAPI_SCREEN", screen, 1);
	}
};

#endif
