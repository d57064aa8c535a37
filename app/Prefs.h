#ifndef ZORVY_PREFS_H
#define ZORVY_PREFS_H

#include <framework/MOZELTArchivable.h>

#include <string>

// Every setting this application edits for the input method. The same archive is the content
// of the settings file and the body of the message delivered to the input method, so the keys,
// types and order of the fields are the input method's wire format.
class TPrefs : public TMOZELTArchivable {
public:
	TPrefs();
	TPrefs(const TPrefs& other);
	virtual ~TPrefs();

	TPrefs& operator=(const TPrefs& other);

	virtual status_t Archive(BMessage* archive, bool deep = true) const;
	virtual status_t Unarchive(const BMessage& archive);

	status_t LoadFromFile();
	status_t SaveToFile() const;
	// Where the settings file is, to name it to the person.
	static std::string FilePath();

	// Index in the input-mode list; 0 is hiragana.
	int32 mDefaultInputMode;
	// 0 romaji input, 1 kana input.
	int32 mDefaultHiraganaMode;
	// The glyph pairs of the Input page's toolbar: false is the first of each pair.
	bool mPeriodType;
	bool mCommaType;
	bool mSlashType;
	bool mBracketType;
	// Index in the list of key-binding styles.
	int32 mKeyNavigation;
	bool mTenKeyHalfInput;
	bool mTenKeyConfirmInput;
	bool mFixedConfirmInput;
	// Widths of the blank typed by Space and by Shift+Space: index in the list of blank widths.
	int32 mSpaceMode;
	int32 mShiftSpaceMode;
	bool mPunctuationConvert;
	bool mPeriodConvert;
	bool mCommaConvert;
	bool mQuestionConvert;
	bool mExclamationConvert;
	// The input method's own settings; this application has no control for them but keeps and
	// delivers them unchanged.
	bool mCpmC;
	int32 mNCpC;
	bool mCpUD;
	int32 mNSCW;
	float mCWFS;
	std::string mCWFF;
};

extern TPrefs gPrefs;

#endif
