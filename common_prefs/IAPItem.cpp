#include <common_prefs/IAPItem.h>

#include <common_prefs/IAPMessages.h>
#include <framework/SettingsAlerts.h>
#include <framework/settings/SettingsEntry.h>
#include <framework/settings/SettingsProblems.h>
#include <locale/LocaleKeys.h>

#include <Entry.h>
#include <InterfaceDefs.h>
#include <Message.h>

#include <cerrno>

namespace {

const char kFileExtension[] = ".arc";

// Holding every modifier while the maker's settings are read or written is the user's way out
// of a file that breaks the applications: the file is thrown away and the defaults stay.
bool
reset_gesture_held()
{
	const uint32 all = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;
	return (modifiers() & all) == all;
}

} // namespace

TIAPItem::TIAPItem(const char* name)
	: mAppSignature(NULL), mName(name != NULL ? name : ""), mSaveFailureTold(false)
{}

TIAPItem::~TIAPItem() {}

status_t
TIAPItem::MakeConfigurationView(BView**, bool)
{
	return B_ERROR;
}

status_t
TIAPItem::GetValue(BMessage*, bool) const
{
	return B_ERROR;
}

status_t
TIAPItem::SetValue(const BMessage&)
{
	return B_ERROR;
}

status_t
TIAPItem::GetBool(bool*, bool) const
{
	return B_ERROR;
}

status_t
TIAPItem::SetBool(bool)
{
	return B_ERROR;
}

status_t
TIAPItem::GetString(std::string*, bool) const
{
	return B_ERROR;
}

status_t
TIAPItem::SetString(const std::string&)
{
	return B_ERROR;
}

std::string
TIAPItem::Name() const
{
	return mName;
}

const char*
TIAPItem::AppSignatureRef() const
{
	return mAppSignature;
}

status_t
TIAPItem::SetAppSignatureRef(const char* signature)
{
	mAppSignature = signature;
	return B_OK;
}

status_t
TIAPItem::AddDefaultInfo(BMessage* message) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	status_t status =
		message->AddString(IAP_FIELD_SRC_APP, mAppSignature != NULL ? mAppSignature : "");
	status |= message->AddString(IAP_FIELD_SRC_IAP_ITEM, mName);
	return status;
}

std::string
TIAPItem::FileName() const
{
	return mName + kFileExtension;
}

status_t
TIAPItem::Load(BMessage* message) const
{
	if (message == NULL)
		return B_BAD_VALUE;

	BEntry entry;
	if (get_settings_entry(FOLDER_NAME_MOZELT_SETTINGS_SHARED, FileName().c_str(), &entry) != B_OK)
		return B_ERROR;

	if (reset_gesture_held()) {
		entry.Remove();
		return B_ERROR;
	}

	// A file that is there but cannot be read is set aside, and the default stands in.
	return load_settings_message(entry, message);
}

status_t
TIAPItem::LoadBool(bool* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;

	BMessage message;
	bool stored;
	if (Load(&message) == B_OK && message.FindBool(mName.c_str(), &stored) == B_OK) {
		*value = stored;
		return B_OK;
	}
	return GetBool(value, true);
}

status_t
TIAPItem::LoadString(std::string* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;

	BMessage message;
	std::string stored;
	if (Load(&message) == B_OK && message.FindString(mName.c_str(), &stored) == B_OK) {
		*value = stored;
		return B_OK;
	}
	return GetString(value, true);
}

// Several applications write the same file; each replaces it whole, and a reader never sees a
// half-written one.
status_t
TIAPItem::Save(BMessage message) const
{
	status_t status =
		message.AddString(IAP_FIELD_SRC_APP, mAppSignature != NULL ? mAppSignature : "");
	if (status != B_OK)
		return status;

	BEntry entry;
	if (get_settings_entry(FOLDER_NAME_MOZELT_SETTINGS_SHARED, FileName().c_str(), &entry) != B_OK)
		return B_ERROR;

	if (reset_gesture_held())
		return B_ERROR;
	status = save_settings_message(entry, message);
	TellSaveResult(status);
	return status;
}

// The change has reached every application all the same; only its file is as it was. A person
// changing the item again and again is told once, not at every change.
void
TIAPItem::TellSaveResult(status_t status) const
{
	if (status == B_OK) {
		mSaveFailureTold = false;
		return;
	}
	if (mSaveFailureTold)
		return;
	mSaveFailureTold = true;
	std::string path = settings_file_path(FOLDER_NAME_MOZELT_SETTINGS_SHARED, FileName().c_str());
	std::string what = "the common preference " + mName;
	print_settings_save_failure(program_invocation_short_name, what.c_str(), path, status);
	alert_settings_save_failed(path, status, LKK_ALERT_COMMON_SAVE_FAILED_TEXT);
}

status_t
TIAPItem::SaveBool(bool value) const
{
	BMessage message;
	status_t status = message.AddBool(mName.c_str(), value);
	if (status != B_OK)
		return status;
	return Save(message);
}

status_t
TIAPItem::SaveString(const std::string& value) const
{
	BMessage message;
	status_t status = message.AddString(mName.c_str(), value);
	if (status != B_OK)
		return status;
	return Save(message);
}
