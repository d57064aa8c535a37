#include <app/CommandLine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
	status_t status;
	TCommandLine line;
};

Parsed
parse(std::vector<const char*> arguments)
{
	arguments.insert(arguments.begin(), "ZorvyPreferences");
	Parsed parsed;
	parsed.status = parsed.line.Parse(static_cast<int>(arguments.size()), arguments.data());
	return parsed;
}

} // namespace

TEST(CommandLine, NothingAsked)
{
	Parsed parsed = parse({});
	EXPECT_EQ(parsed.status, B_OK);
	EXPECT_FALSE(parsed.line.Help());
	EXPECT_FALSE(parsed.line.Version());
	EXPECT_EQ(parsed.line.Language(), "");
}

TEST(CommandLine, TheOptions)
{
	struct Case {
		std::vector<const char*> arguments;
		bool help;
		bool version;
		std::string language;
		bool about = false;
		bool commonPrefs = false;
	};
	const Case cases[] = {
		{{"--help"}, true, false, ""},
		{{"-h"}, true, false, ""},
		{{"--version"}, false, true, ""},
		{{"--language", "enUS"}, false, false, "enUS"},
		{{"--language=jaJP"}, false, false, "jaJP"},
		// The last language given counts.
		{{"--language", "enUS", "--language=jaJP", "--help"}, true, false, "jaJP"},
		{{"--version", "--help"}, true, true, ""},
		{{"--about"}, false, false, "", true},
		{{"--about", "--language", "enUS"}, false, false, "enUS", true},
		{{"--common-prefs"}, false, false, "", false, true},
		{{"--common-prefs", "--about"}, false, false, "", true, true},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::PrintToString(c.arguments));
		Parsed parsed = parse(c.arguments);
		ASSERT_EQ(parsed.status, B_OK) << parsed.line.Error();
		EXPECT_EQ(parsed.line.Help(), c.help);
		EXPECT_EQ(parsed.line.Version(), c.version);
		EXPECT_EQ(parsed.line.Language(), c.language);
		EXPECT_EQ(parsed.line.About(), c.about);
		EXPECT_EQ(parsed.line.CommonPrefs(), c.commonPrefs);
	}
}

TEST(CommandLine, BadArgumentsAreNamed)
{
	struct Case {
		std::vector<const char*> arguments;
		std::string mentioned;
	};
	const Case cases[] = {
		{{"--languag", "enUS"}, "unknown option --languag"},
		{{"-x"}, "unknown option -x"},
		{{"--language"}, "needs a language code"},
		{{"--language", "english"}, "\"english\" is no language code"},
		{{"--language=en"}, "\"en\" is no language code"},
		{{"--language="}, "\"\" is no language code"},
		{{"--language", "enus"}, "\"enus\" is no language code"},
		{{"--help=yes"}, "--help takes no value"},
		{{"--version=2"}, "--version takes no value"},
		{{"--about=now"}, "--about takes no value"},
		{{"--common-prefs=yes"}, "--common-prefs takes no value"},
		{{"--common"}, "unknown option --common"},
		{{"file.txt"}, "unexpected argument \"file.txt\""},
		{{"--help", ""}, "unexpected argument \"\""},
		// A bad argument after a good one still fails the whole line.
		{{"--help", "--bogus"}, "unknown option --bogus"},
	};
	for (const Case& c : cases) {
		SCOPED_TRACE(testing::PrintToString(c.arguments));
		Parsed parsed = parse(c.arguments);
		EXPECT_EQ(parsed.status, B_BAD_VALUE);
		EXPECT_NE(parsed.line.Error().find(c.mentioned), std::string::npos) << parsed.line.Error();
	}
}

TEST(CommandLine, HelpTellsEveryOptionAndExitStatus)
{
	std::string help = TCommandLine::HelpText("/data/Language/Dictionaries", "enUS, jaJP");
	for (const char* part : {"--language CODE", "--help", "--version", "--about", "--common-prefs",
							 "keeps the language", "Languages: enUS, jaJP",
							 "/data/Language/Dictionaries", "  0  ", "  1  ", "  2  ", "  3  "})
		EXPECT_NE(help.find(part), std::string::npos) << part;
	EXPECT_EQ(TCommandLine::VersionText(), "Zorvy Preferences Ver 1.40\n");
}
