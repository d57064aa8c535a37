#ifndef MOZELT_SETTINGS_ALERTS_H
#define MOZELT_SETTINGS_ALERTS_H

// The alerts that tell the person about a settings file that could not be read or saved. Both
// return at once; the alert goes away when its button is pressed.

#include <framework/settings/SettingsEntry.h>

#include <string>
#include <vector>

// Titled "読み込めない設定ファイルがありました": each file, and where it was moved.
void alert_settings_files_set_aside(const std::vector<settings_file_set_aside>& files);

// Titled "設定を保存できませんでした": the file and why, then the text of `afterKey` (by default,
// that the file is as it was and OK may be tried again).
void alert_settings_save_failed(const std::string& file, status_t status,
								const char* afterKey = NULL);

#endif
