#include <app/Prefs.h>

#include <common_prefs/InterAppPrefs.h>
#include <framework/SettingsEntry.h>

#include <Message.h>

namespace {

const char kPrefsFolderName[] = "Zorvy";
const char kPrefsFileName[] = "Zorvy_Prefs.arc";

} // namespace

// The common store is built before the preference record and outlives it.
TInterAppPrefs gIAPs;
TPrefs gPrefs;

TPrefs::TPrefs()
	: mDefaultInputMode(0), mDefaultHiraganaMode(0), mPeriodType(false), mCommaType(false),
	  mSlashType(false), mBracketType(false), mKeyNavigation(0), mTenKeyHalfInput(true),
	  mTenKeyConfirmInput(true), mFixedConfirmInput(false), mSpaceMode(0), mShiftSpaceMode(3),
	  mPunctuationConvert(true), mPeriodConvert(true), mCommaConvert(false), mQuestionConvert(true),
	  mExclamationConvert(true), mCpmC(true), mNCpC(2), mCpUD(true), mNSCW(2), mCWFS(12.0f),
	  mCWFF("Haru")
{}

TPrefs::TPrefs(const TPrefs& other) : TMOZELTArchivable()
{
	*this = other;
}

TPrefs::~TPrefs() {}

TPrefs&
TPrefs::operator=(const TPrefs& other)
{
	TMOZELTArchivable::operator=(other);
	mDefaultInputMode = other.mDefaultInputMode;
	mDefaultHiraganaMode = other.mDefaultHiraganaMode;
	mPeriodType = other.mPeriodType;
	mCommaType = other.mCommaType;
	mSlashType = other.mSlashType;
	mBracketType = other.mBracketType;
	mKeyNavigation = other.mKeyNavigation;
	mTenKeyHalfInput = other.mTenKeyHalfInput;
	mTenKeyConfirmInput = other.mTenKeyConfirmInput;
	mFixedConfirmInput = other.mFixedConfirmInput;
	mSpaceMode = other.mSpaceMode;
	mShiftSpaceMode = other.mShiftSpaceMode;
	mPunctuationConvert = other.mPunctuationConvert;
	mPeriodConvert = other.mPeriodConvert;
	mCommaConvert = other.mCommaConvert;
	mQuestionConvert = other.mQuestionConvert;
	mExclamationConvert = other.mExclamationConvert;
	mCpmC = other.mCpmC;
	mNCpC = other.mNCpC;
	mCpUD = other.mCpUD;
	mNSCW = other.mNSCW;
	mCWFS = other.mCWFS;
	mCWFF = other.mCWFF;
	return *this;
}

status_t
TPrefs::Archive(BMessage* archive, bool deep) const
{
	status_t status = TMOZELTArchivable::Archive(archive, deep);
	if (archive == NULL)
		return status;

	status |= archive->AddInt32("DIMd", mDefaultInputMode);
	status |= archive->AddInt32("DHgM", mDefaultHiraganaMode);
	status |= archive->AddBool("PerT", mPeriodType);
	status |= archive->AddBool("ComT", mCommaType);
	status |= archive->AddBool("SlsT", mSlashType);
	status |= archive->AddBool("BrkT", mBracketType);
	status |= archive->AddInt32("KyNv", mKeyNavigation);
	status |= archive->AddBool("TKHI", mTenKeyHalfInput);
	status |= archive->AddBool("TKCI", mTenKeyConfirmInput);
	status |= archive->AddBool("FxCI", mFixedConfirmInput);
	status |= archive->AddInt32("SpMd", mSpaceMode);
	status |= archive->AddInt32("SSMd", mShiftSpaceMode);
	status |= archive->AddBool("PctC", mPunctuationConvert);
	status |= archive->AddBool("PerC", mPeriodConvert);
	status |= archive->AddBool("ComC", mCommaConvert);
	status |= archive->AddBool("QstC", mQuestionConvert);
	status |= archive->AddBool("ExcC", mExclamationConvert);
	status |= archive->AddBool("CpmC", mCpmC);
	status |= archive->AddInt32("NCpC", mNCpC);
	status |= archive->AddBool("CpUD", mCpUD);
	status |= archive->AddInt32("NSCW", mNSCW);
	status |= archive->AddFloat("CWFS", mCWFS);
	status |= archive->AddString("CWFF", mCWFF.c_str());
	return status;
}

// Every key is read even after a missing one, so an older or newer file gives what it has and
// the defaults fill the rest.
status_t
TPrefs::Unarchive(const BMessage& archive)
{
	status_t status = TMOZELTArchivable::Unarchive(archive);
	status |= FindInt32(archive, "DIMd", &mDefaultInputMode);
	status |= FindInt32(archive, "DHgM", &mDefaultHiraganaMode);
	status |= FindBool(archive, "PerT", &mPeriodType);
	status |= FindBool(archive, "ComT", &mCommaType);
	status |= FindBool(archive, "SlsT", &mSlashType);
	status |= FindBool(archive, "BrkT", &mBracketType);
	status |= FindInt32(archive, "KyNv", &mKeyNavigation);
	status |= FindBool(archive, "TKHI", &mTenKeyHalfInput);
	status |= FindBool(archive, "TKCI", &mTenKeyConfirmInput);
	status |= FindBool(archive, "FxCI", &mFixedConfirmInput);
	status |= FindInt32(archive, "SpMd", &mSpaceMode);
	status |= FindInt32(archive, "SSMd", &mShiftSpaceMode);
	status |= FindBool(archive, "PctC", &mPunctuationConvert);
	status |= FindBool(archive, "PerC", &mPeriodConvert);
	status |= FindBool(archive, "ComC", &mCommaConvert);
	status |= FindBool(archive, "QstC", &mQuestionConvert);
	status |= FindBool(archive, "ExcC", &mExclamationConvert);
	status |= FindBool(archive, "CpmC", &mCpmC);
	status |= FindInt32(archive, "NCpC", &mNCpC);
	status |= FindBool(archive, "CpUD", &mCpUD);
	status |= FindInt32(archive, "NSCW", &mNSCW);
	status |= FindFloat(archive, "CWFS", &mCWFS);
	status |= FindString(archive, "CWFF", &mCWFF);
	return status;
}

status_t
TPrefs::LoadFromFile()
{
	return LoadByName(kPrefsFolderName, kPrefsFileName);
}

status_t
TPrefs::SaveToFile() const
{
	return SaveByName(kPrefsFolderName, kPrefsFileName);
}

std::string
TPrefs::FilePath()
{
	return settings_file_path(kPrefsFolderName, kPrefsFileName);
}
