#include "../framework/SettingsFolder.h"

#include <app/Prefs.h>

#include <TypeConstants.h>

using namespace test_settings;

namespace {

const char kFolder[] = "Zorvy";
const char kFile[] = "Zorvy_Prefs.arc";

class PrefsTest : public SettingsTest {};

std::string
archive_of(const TPrefs& prefs)
{
	BMessage archive;
	EXPECT_EQ(prefs.Archive(&archive, true), B_OK);
	return flatten(archive);
}

// Every field away from its default, the index fields beyond their lists, the family empty.
TPrefs
unusual_prefs()
{
	TPrefs prefs;
	prefs.mDefaultInputMode = 4;
	prefs.mDefaultHiraganaMode = 1;
	prefs.mPeriodType = true;
	prefs.mCommaType = true;
	prefs.mSlashType = true;
	prefs.mBracketType = true;
	prefs.mKeyNavigation = 99;
	prefs.mTenKeyHalfInput = false;
	prefs.mTenKeyConfirmInput = false;
	prefs.mFixedConfirmInput = true;
	prefs.mSpaceMode = 2;
	prefs.mShiftSpaceMode = 1;
	prefs.mPunctuationConvert = false;
	prefs.mPeriodConvert = false;
	prefs.mCommaConvert = true;
	prefs.mQuestionConvert = false;
	prefs.mExclamationConvert = false;
	prefs.mCpmC = false;
	prefs.mNCpC = -3;
	prefs.mCpUD = false;
	prefs.mNSCW = 17;
	prefs.mCWFS = 9.5f;
	prefs.mCWFF = "";
	return prefs;
}

struct Field {
	const char* name;
	type_code type;
};

const Field kLayout[] = {{"class", B_STRING_TYPE}, {"DIMd", B_INT32_TYPE}, {"DHgM", B_INT32_TYPE},
						 {"PerT", B_BOOL_TYPE},    {"ComT", B_BOOL_TYPE},  {"SlsT", B_BOOL_TYPE},
						 {"BrkT", B_BOOL_TYPE},    {"KyNv", B_INT32_TYPE}, {"TKHI", B_BOOL_TYPE},
						 {"TKCI", B_BOOL_TYPE},    {"FxCI", B_BOOL_TYPE},  {"SpMd", B_INT32_TYPE},
						 {"SSMd", B_INT32_TYPE},   {"PctC", B_BOOL_TYPE},  {"PerC", B_BOOL_TYPE},
						 {"ComC", B_BOOL_TYPE},    {"QstC", B_BOOL_TYPE},  {"ExcC", B_BOOL_TYPE},
						 {"CpmC", B_BOOL_TYPE},    {"NCpC", B_INT32_TYPE}, {"CpUD", B_BOOL_TYPE},
						 {"NSCW", B_INT32_TYPE},   {"CWFS", B_FLOAT_TYPE}, {"CWFF", B_STRING_TYPE}};

} // namespace

TEST(Prefs, DefaultsAreTheRecordOfAFirstRun)
{
	TPrefs prefs;
	EXPECT_EQ(prefs.mDefaultInputMode, 0);
	EXPECT_EQ(prefs.mDefaultHiraganaMode, 0);
	EXPECT_FALSE(prefs.mPeriodType);
	EXPECT_FALSE(prefs.mCommaType);
	EXPECT_FALSE(prefs.mSlashType);
	EXPECT_FALSE(prefs.mBracketType);
	EXPECT_EQ(prefs.mKeyNavigation, 0);
	EXPECT_TRUE(prefs.mTenKeyHalfInput);
	EXPECT_TRUE(prefs.mTenKeyConfirmInput);
	EXPECT_FALSE(prefs.mFixedConfirmInput);
	EXPECT_EQ(prefs.mSpaceMode, 0);
	EXPECT_EQ(prefs.mShiftSpaceMode, 3);
	EXPECT_TRUE(prefs.mPunctuationConvert);
	EXPECT_TRUE(prefs.mPeriodConvert);
	EXPECT_FALSE(prefs.mCommaConvert);
	EXPECT_TRUE(prefs.mQuestionConvert);
	EXPECT_TRUE(prefs.mExclamationConvert);
	EXPECT_TRUE(prefs.mCpmC);
	EXPECT_EQ(prefs.mNCpC, 2);
	EXPECT_TRUE(prefs.mCpUD);
	EXPECT_EQ(prefs.mNSCW, 2);
	EXPECT_EQ(prefs.mCWFS, 12.0f);
	EXPECT_EQ(prefs.mCWFF, "Haru");
	EXPECT_EQ(archive_of(gPrefs), archive_of(prefs));
}

TEST(Prefs, ArchiveHoldsTheFieldsInTheirOrderAndTypes)
{
	BMessage archive;
	ASSERT_EQ(unusual_prefs().Archive(&archive, true), B_OK);
	ASSERT_EQ(archive.CountNames(B_ANY_TYPE), (int32)B_COUNT_OF(kLayout));
	for (int32 i = 0; i < (int32)B_COUNT_OF(kLayout); i++) {
		char* name = nullptr;
		type_code type = 0;
		int32 count = 0;
		ASSERT_EQ(archive.GetInfo(B_ANY_TYPE, i, &name, &type, &count), B_OK);
		EXPECT_STREQ(name, kLayout[i].name);
		EXPECT_EQ(type, kLayout[i].type) << name;
		EXPECT_EQ(count, i == 0 ? 2 : 1) << name;
	}
	const char* className = nullptr;
	EXPECT_EQ(archive.FindString("class", 0, &className), B_OK);
	EXPECT_STREQ(className, "TPrefs");
	EXPECT_EQ(archive.FindString("class", 1, &className), B_OK);
	EXPECT_STREQ(className, "TArchivable");
	EXPECT_STREQ(archive.GetString("CWFF", "missing"), "");
}

TEST_F(PrefsTest, AFirstRunKeepsTheDefaults)
{
	TPrefs prefs;
	EXPECT_EQ(prefs.LoadFromFile(), B_ERROR);
	EXPECT_EQ(archive_of(prefs), archive_of(TPrefs()));
	EXPECT_TRUE(fs::is_directory(SettingsPath(kFolder)));
}

TEST_F(PrefsTest, SaveAndLoadReproduceEveryField)
{
	TPrefs saved = unusual_prefs();
	ASSERT_EQ(saved.SaveToFile(), B_OK);
	EXPECT_EQ(read_file(SettingsPath(kFolder, kFile)), archive_of(saved));

	TPrefs loaded;
	ASSERT_EQ(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mCWFF, "");
	EXPECT_EQ(loaded.mNCpC, -3);
	EXPECT_EQ(loaded.mKeyNavigation, 99);
	EXPECT_EQ(archive_of(loaded), archive_of(saved));
}

TEST_F(PrefsTest, AFileWithoutSomeKeysLoadsTheOthers)
{
	BMessage archive;
	ASSERT_EQ(unusual_prefs().Archive(&archive, true), B_OK);
	ASSERT_EQ(archive.RemoveName("SSMd"), B_OK);
	fs::create_directories(SettingsPath(kFolder));
	write_message(SettingsPath(kFolder, kFile), archive);

	TPrefs loaded;
	EXPECT_NE(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mShiftSpaceMode, 3);
	TPrefs expected = unusual_prefs();
	expected.mShiftSpaceMode = 3;
	EXPECT_EQ(archive_of(loaded), archive_of(expected));
}

TEST_F(PrefsTest, UnknownKeysAreKeptForTheFileAndMistypedOnesKeepTheDefault)
{
	BMessage archive;
	archive.AddInt32("Nxt!", 1);
	archive.AddString("DIMd", "2");
	archive.AddInt32("DHgM", 1);
	fs::create_directories(SettingsPath(kFolder));
	write_message(SettingsPath(kFolder, kFile), archive);

	TPrefs loaded;
	EXPECT_NE(loaded.LoadFromFile(), B_OK);
	EXPECT_EQ(loaded.mDefaultInputMode, 0);
	EXPECT_EQ(loaded.mDefaultHiraganaMode, 1);

	// The unknown key is a newer version's: the input method never sees it, the file keeps it
	// after the record's own fields, and a copy (the one Cancel restores) carries it.
	TPrefs restored;
	restored = loaded;
	EXPECT_EQ(archive_of(restored), archive_of(TPrefs(loaded)));
	BMessage delivered;
	ASSERT_EQ(restored.Archive(&delivered, true), B_OK);
	EXPECT_EQ(delivered.CountNames(B_ANY_TYPE), int32(std::size(kLayout)));
	ASSERT_EQ(restored.SaveToFile(), B_OK);
	BMessage saved;
	ASSERT_EQ(saved.Unflatten(read_file(SettingsPath(kFolder, kFile)).data()), B_OK);
	ASSERT_EQ(saved.CountNames(B_ANY_TYPE), int32(std::size(kLayout)) + 1);
	char* name = nullptr;
	type_code type = 0;
	ASSERT_EQ(saved.GetInfo(B_ANY_TYPE, int32(std::size(kLayout)), &name, &type), B_OK);
	EXPECT_STREQ(name, "Nxt!");
	EXPECT_EQ(saved.GetInt32("Nxt!", 0), 1);
	EXPECT_EQ(saved.GetInt32("DIMd", -1), 0);
}

TEST(Prefs, CopiesCarryEveryField)
{
	TPrefs original = unusual_prefs();
	original.mCWFF = "フォント";
	TPrefs assigned;
	assigned = original;
	TPrefs constructed(original);
	EXPECT_EQ(archive_of(assigned), archive_of(original));
	EXPECT_EQ(archive_of(constructed), archive_of(original));

	original.mCWFF = "changed";
	EXPECT_EQ(assigned.mCWFF, "フォント");
}

// Programs that read or change one setting by its key go through the description alone.
TEST(Prefs, TheDescriptionNamesEachArchivedFieldOnceByKeyAndType)
{
	ASSERT_EQ(std::size(kLayout), size_t(PREFS_FIELD_COUNT) + 1);
	for (int32 i = 0; i < PREFS_FIELD_COUNT; i++) {
		const TPrefsField& field = PREFS_FIELDS[i];
		SCOPED_TRACE(field.key);
		EXPECT_STREQ(field.key, kLayout[i + 1].name);
		EXPECT_EQ(prefs_field_type(field), kLayout[i + 1].type);
		EXPECT_EQ(find_prefs_field(field.key), &field);
		for (int32 j = 0; j < i; j++)
			EXPECT_NE(field.member, PREFS_FIELDS[j].member) << PREFS_FIELDS[j].key;
	}
	EXPECT_EQ(find_prefs_field("class"), nullptr);
	EXPECT_EQ(find_prefs_field("dimd"), nullptr);
	EXPECT_EQ(find_prefs_field(NULL), nullptr);

	// The plain values start at the defaults too, and archive as the record does.
	TPrefs prefs = unusual_prefs();
	TPrefsValues values = prefs;
	BMessage archive;
	EXPECT_EQ(archive_prefs_values(values, &archive), B_OK);
	TPrefsValues back;
	EXPECT_EQ(back.mShiftSpaceMode, 3);
	EXPECT_EQ(back.mCWFF, "Haru");
	EXPECT_EQ(unarchive_prefs_values(archive, &back), B_OK);
	TPrefs restored;
	static_cast<TPrefsValues&>(restored) = back;
	EXPECT_EQ(archive_of(restored), archive_of(prefs));
}

// Programs without windows build the record's archive from the plain values: the bytes of the
// settings file and of the delivery must be the record's own.
TEST(Prefs, ThePlainRecordArchivesAsTheApplicationsRecord)
{
	TPrefs prefs = unusual_prefs();
	BMessage plain;
	EXPECT_EQ(archive_prefs_record(prefs, &plain), B_OK);
	EXPECT_EQ(flatten(plain), archive_of(prefs));
}

// Each readable name finds its field, as the key does; each choice offered once.
TEST(Prefs, EveryFieldHasAReadableNameAndItsChoicesAreThePagesOwn)
{
	for (const TPrefsField& field : PREFS_FIELDS) {
		SCOPED_TRACE(field.key);
		EXPECT_EQ(find_prefs_setting(field.name), &field);
		EXPECT_EQ(find_prefs_setting(field.key), &field);
		for (const TPrefsChoice& choice : field.choices) {
			EXPECT_EQ(find_prefs_choice(field, choice.value), &choice);
			EXPECT_STRNE(choice.text, "-");
		}
	}
	EXPECT_EQ(find_prefs_setting("input"), nullptr);
	EXPECT_EQ(find_prefs_choice(*find_prefs_field("DIMd"), 9), nullptr);
	EXPECT_EQ(find_prefs_field("SpMd")->choices.size(), 3u);
	EXPECT_EQ(find_prefs_field("SSMd")->choices.size(), 4u);
}
