#include <framework/SettingsAlerts.h>

#include <framework/settings/SettingsProblems.h>
#include <locale/Locale.h>
#include <locale/LocaleKeys.h>

#include <Alert.h>
#include <InterfaceDefs.h>

namespace {

void
show(const char* titleKey, const std::string& text, alert_type type)
{
	const char* title = gLocale.GetString(titleKey);
	BAlert* alert =
		new BAlert(title, (std::string(title) + "\n\n" + text).c_str(),
				   gLocale.GetString(LKK_BUTTON_OK), NULL, NULL, B_WIDTH_AS_USUAL, type);
	alert->SetShortcut(0, B_ESCAPE);
	alert->Go(NULL);
}

} // namespace

void
alert_settings_files_set_aside(const std::vector<settings_file_set_aside>& files)
{
	if (files.empty())
		return;
	std::string text = gLocale.GetString(LKK_ALERT_SET_ASIDE_TEXT);
	for (const settings_file_set_aside& file : files) {
		text +=
			"\n\n" + file.file + "\n" + gLocale.GetString(settings_problem(file.reason, true).key);
		text += "\n" + std::string(gLocale.GetString(LKK_ALERT_SET_ASIDE_COPY)) + file.copy;
	}
	show(LKK_ALERT_SET_ASIDE_TITLE, text, B_WARNING_ALERT);
}

void
alert_settings_save_failed(const std::string& file, status_t status, const char* afterKey)
{
	std::string text = file + "\n" + gLocale.GetString(settings_problem(status, false).key) +
					   "\n\n" +
					   gLocale.GetString(afterKey != NULL ? afterKey : LKK_ALERT_SAVE_FAILED_TEXT);
	show(LKK_ALERT_SAVE_FAILED_TITLE, text, B_STOP_ALERT);
}
