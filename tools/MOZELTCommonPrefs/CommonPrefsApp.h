#ifndef MOZELT_COMMON_PREFS_APP_H
#define MOZELT_COMMON_PREFS_APP_H

#include <Application.h>

#include <string>

inline constexpr char kCommonPrefsSignature[] = "application/x-vnd.MOZELT-CommonPrefs";

// The application object of the maker's common preferences program: it offers the three common
// items to the one window, wherever it lives, keeps every change while the window shows, shows
// its texts in the language the Locale item names, and ends when the window hides.
class TCommonPrefsApp : public BApplication {
public:
	// dataFolder: where the language files are, "" when there is none.
	explicit TCommonPrefsApp(const std::string& dataFolder);
	virtual ~TCommonPrefsApp();

	virtual void ReadyToRun();
	virtual void MessageReceived(BMessage* message);
	virtual void DispatchMessage(BMessage* message, BHandler* handler);

	// What the program ends with: 1 when the window could not be opened.
	int ExitStatus() const { return mExitStatus; }

	// Takes the language the Locale item names: its file where there is one, the built-in
	// texts otherwise.
	static void LoadLanguage(const std::string& dataFolder);

private:
	void ShowCommonPrefs();
	// Every window of this program hears that the language changed.
	void TellLanguageChanged();

	std::string mDataFolder;
	int mExitStatus;
};

#endif
