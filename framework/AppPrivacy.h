#ifndef MOZELT_APP_PRIVACY_H
#define MOZELT_APP_PRIVACY_H

#include <string>

// The running executable's file name and folder, taken once at start-up from the program's
// first argument.
class TAppPrivacy {
public:
	TAppPrivacy();
	virtual ~TAppPrivacy();

	// Follows links and relative paths to the real executable.
	void AnalyzeExePath(const char* path);

	std::string ExeName() const { return mExeName; }
	// The folder, ending in "/".
	std::string ExePath() const { return mExePath; }

private:
	std::string mExeName;
	std::string mExePath;
};

#endif
