#include <Application.h>

#include <File.h>
#include <Resources.h>
#include <Roster.h>

#include <cstring>
#include <mutex>

#include "AppResourcesPrivate.h"

namespace {

std::once_flag sResourcesOnce;
BFile* sExecutable = NULL;
BResources* sResources = NULL;

// The resources appended to our own executable, opened once and kept for the
// process.
void
open_own_resources()
{
	sExecutable = new BFile("/proc/self/exe", B_READ_ONLY);
	sResources = new BResources;
	if (sExecutable->InitCheck() != B_OK || sResources->SetTo(sExecutable, false) != B_OK) {
		delete sResources;
		sResources = NULL;
	}
}

} // namespace

BResources*
BApplication::AppResources()
{
	std::call_once(sResourcesOnce, open_own_resources);
	return sResources;
}

namespace BPrivate {

static uint32
flags_in(BResources* resources)
{
	if (resources == NULL)
		return B_MULTIPLE_LAUNCH;
	size_t size = 0;
	const void* data = resources->LoadResource('APPF', "BEOS:APP_FLAGS", &size);
	if (data == NULL || size < sizeof(uint32))
		return B_MULTIPLE_LAUNCH;
	uint32 flags;
	memcpy(&flags, data, sizeof(flags));
	return flags;
}

uint32
app_flags()
{
	return flags_in(BApplication::AppResources());
}

uint32
app_flags_of(const char* path)
{
	BFile file(path, B_READ_ONLY);
	BResources resources;
	if (file.InitCheck() != B_OK || resources.SetTo(&file, false) != B_OK)
		return B_MULTIPLE_LAUNCH;
	return flags_in(&resources);
}

std::string
app_signature_of(const char* path)
{
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return std::string();
	BResources resources;
	if (resources.SetTo(&file, false) != B_OK)
		return std::string();
	size_t size = 0;
	const char* data =
		static_cast<const char*>(resources.LoadResource('MIMS', "BEOS:APP_SIG", &size));
	if (data == NULL || size == 0)
		return std::string();
	return std::string(data, strnlen(data, size));
}

} // namespace BPrivate
