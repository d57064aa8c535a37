#include <framework/AppPrivacy.h>

#include <Entry.h>
#include <Path.h>

TAppPrivacy::TAppPrivacy() {}

TAppPrivacy::~TAppPrivacy() {}

void
TAppPrivacy::AnalyzeExePath(const char* path)
{
	if (path == NULL)
		return;

	// A path that cannot be resolved is taken as written, so that the name is still known.
	std::string full = path;
	BEntry entry(path, true);
	BPath resolved;
	if (entry.GetPath(&resolved) == B_OK && resolved.Path() != NULL)
		full = resolved.Path();

	size_t slash = full.rfind('/');
	if (slash == std::string::npos) {
		mExeName = full;
		mExePath.clear();
	} else {
		mExeName = full.substr(slash + 1);
		mExePath = full.substr(0, slash + 1);
	}
}
