#ifndef E2E_SCRIPT_H
#define E2E_SCRIPT_H

// Lines of event scripts for the main window and the alerts over it, and where a person clicks
// (window coordinates, with the test fonts).

#include "AppRun.h"

#include <string>

namespace script {

inline constexpr char kRowInputAssist[] = "60 54";
inline constexpr char kRowPunctuation[] = "60 70";
inline constexpr char kCancel[] = "410 262";
inline constexpr char kOK[] = "500 262";
// Input page.
inline constexpr char kInputModeField[] = "255 101";
inline constexpr char kPeriodTrue[] = "205 151";
inline constexpr char kKeyNavigationField[] = "245 182";
// Input-assist page.
inline constexpr char kTenKeyHalf[] = "150 50";
inline constexpr char kFixedConfirm[] = "150 100";
inline constexpr char kSpaceModeField[] = "400 157";
// Punctuation-conversion page.
inline constexpr char kMasterSwitch[] = "150 50";
inline constexpr char kPeriodConvert[] = "160 80";

// The alerts about settings files.
inline constexpr char kSetAsideTitle[] = "読み込めない設定ファイルがありました";
inline constexpr char kSaveFailedTitle[] = "設定を保存できませんでした";

inline std::string
click(const char* where, const char* title = kWindowTitle)
{
	return std::string("click \"") + title + "\" " + where + "\n";
}

inline std::string
key(const char* name, const char* modifiers = "", const char* title = kWindowTitle)
{
	return std::string("key \"") + title + "\" " + name + " " + modifiers + "\n";
}

inline std::string
shot(const AppRun& run, const char* name, const char* title = kWindowTitle)
{
	return std::string("shot \"") + title + "\" " + run.ShotPath(name) + "\n";
}

// Enter on the alert of that title: the script stops with status 3 when no such alert comes.
inline std::string
dismiss(const char* title)
{
	return key("enter", "", title);
}

inline const std::string kClose = std::string("close \"") + kWindowTitle + "\"\n";

} // namespace script

#endif
