// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/Strings.h"

#include "foundation/Bundle.h"
#include "support/MoWriter.h"
#include "support/TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>

using florelle::Bundle;
using florelle::Strings;
using florelle::testing::writeMessageCatalog;

namespace {

const char* const localeVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

// A resource folder with an English and a German table, and a clean locale
// environment that the test may change; everything is put back afterwards.
class StringsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : localeVariables) {
            if (const char* value = std::getenv(name)) {
                saved_[name] = value;
            }
            unsetenv(name);
        }
        writeTable("en", {{"Period Key", "Period"},
                          {"days Key", "days"},
                          {"Skin Key", "Skin"},
                          {"Only English Key", "Only in English"},
                          {"Greeting Key", "Hello %@, day %d"}});
        writeTable("de", {{"Period Key", "Periode"},
                          {"days Key", "Tage"},
                          {"Greeting Key", "Hallo %@, Tag %d"},
                          {"Broken Key", "Tag %d von %@"}});
        writeTable("de_AT", {{"days Key", "Tag'"}});
        Bundle::setResourceDirectory(folder_.path());
        Strings::setLanguage(std::nullopt);
        Strings::reload();
    }

    void TearDown() override {
        for (const char* name : localeVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : saved_) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        Strings::setLanguage(std::nullopt);
        Bundle::setResourceDirectory(std::nullopt);
        Strings::reload();
    }

    void writeTable(const std::string& language,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
        auto dir = folder_.path() / "locale" / language / "LC_MESSAGES";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "florelle.mo", std::ios::binary) << writeMessageCatalog(entries);
    }

    florelle::testing::TempDirectory folder_;
    std::map<std::string, std::string> saved_;
};

} // namespace

TEST_F(StringsTest, WithoutLanguageSettingsTextsAreEnglish) {
    EXPECT_EQ(Strings::localized("Period Key"), "Period");
    EXPECT_EQ(Strings::languages(), std::vector<std::string>{"en"});
}

TEST_F(StringsTest, FallsBackToEnglishThenToTheKey) {
    Strings::setLanguage("de");
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
    EXPECT_EQ(Strings::localized("Only English Key"), "Only in English");
    EXPECT_EQ(Strings::localized("Nowhere Key"), "Nowhere Key");
    EXPECT_EQ(Strings::localized(""), "");
}

TEST_F(StringsTest, TheEnvironmentChoosesTheLanguageInGettextOrder) {
    struct Row {
        std::map<std::string, std::string> environment;
        std::string expected;
    };
    const Row rows[] = {
        {{{"LANG", "de_DE.UTF-8"}}, "Tage"},
        {{{"LANG", "de_AT.UTF-8"}}, "Tag'"},
        {{{"LANG", "de_CH.UTF-8@euro"}}, "Tage"},
        {{{"LANG", "fr_FR.UTF-8"}}, "days"},
        {{{"LANG", "C"}}, "days"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, "days"},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LC_ALL", "de_DE.UTF-8"}}, "Tage"},
        {{{"LC_ALL", "en_US.UTF-8"}, {"LANGUAGE", "fr:de"}}, "Tage"},
        {{{"LANGUAGE", "POSIX:de"}}, "days"},
        {{{"LANGUAGE", ""}, {"LANG", "de_DE.UTF-8"}}, "Tage"},
    };
    for (const auto& row : rows) {
        for (const char* name : localeVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : row.environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        std::string described;
        for (const auto& [name, value] : row.environment) {
            described += name + "=" + value + " ";
        }
        EXPECT_EQ(Strings::localized("days Key"), row.expected) << described;
    }
}

// Each language counts by its own rule: French takes the singular for 0,
// English the plural; a key French lacks is counted the English way.
TEST_F(StringsTest, CountedTextsFollowTheRuleOfTheLanguageThatHasThem) {
    using namespace std::string_literals;
    writeTable("en", {{"days Key\0days Key"s, "day\0days"s},
                      {"Weeks Key\0Weeks Key"s, "week\0weeks"s},
                      {"Age Key\0Age Key"s, "%d year\0%d years"s}});
    writeTable("fr", {{"", "Plural-Forms: nplurals=2; plural=(n > 1);\n"},
                      {"days Key\0days Key"s, "jour\0jours"s},
                      {"Age Key\0Age Key"s, "%@ an\0%@ ans"s}});
    Strings::reload();
    Strings::setLanguage("fr");
    EXPECT_EQ(Strings::localizedCount("days Key", 0), "jour");
    EXPECT_EQ(Strings::localizedCount("days Key", 2), "jours");
    EXPECT_EQ(Strings::localizedCount("Weeks Key", 0), "weeks");
    EXPECT_EQ(Strings::localizedCount("Weeks Key", 1), "week");
    EXPECT_EQ(Strings::localizedCount("Nowhere Key", 1), "Nowhere Key");
    EXPECT_EQ(Strings::localizedCountFormat("Age Key", 2, 2), "2 years") << "a broken translation";
    Strings::setLanguage("en");
    EXPECT_EQ(Strings::localizedCount("days Key", 0), "days");
    EXPECT_EQ(Strings::localizedCountFormat("Age Key", 1, 1), "1 year");
}

TEST_F(StringsTest, ASetLanguageWinsOverTheEnvironmentUntilCleared) {
    setenv("LANG", "de_DE.UTF-8", 1);
    Strings::setLanguage("en");
    EXPECT_EQ(Strings::localized("Period Key"), "Period");
    Strings::setLanguage(std::nullopt);
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
}

TEST_F(StringsTest, CandidateLanguagesFromASetting) {
    using List = std::vector<std::string>;
    EXPECT_EQ(Strings::candidatesFor("de_AT.UTF-8@euro"), (List{"de_AT", "de"}));
    EXPECT_EQ(Strings::candidatesFor("pt_BR:de:pt"), (List{"pt_BR", "pt", "de"}));
    EXPECT_EQ(Strings::candidatesFor("C.UTF-8"), (List{"en"}));
    EXPECT_EQ(Strings::candidatesFor("::"), List{});
    EXPECT_EQ(Strings::candidatesFor(""), List{});
}

TEST_F(StringsTest, FormatKeysFillTheTranslatedPattern) {
    Strings::setLanguage("de");
    EXPECT_EQ(Strings::localizedFormat("Greeting Key", "Ana", 3), "Hallo Ana, Tag 3");
    Strings::setLanguage("en");
    EXPECT_EQ(Strings::localizedFormat("Greeting Key", "Ana", 3), "Hello Ana, day 3");
}

TEST_F(StringsTest, ATranslationThatDoesNotFitItsArgumentsFallsBackToEnglish) {
    writeTable("en", {{"Broken Key", "%@: day %d"}});
    Strings::reload();
    Strings::setLanguage("de");
    florelle::testing::LogCapture log;
    EXPECT_EQ(Strings::localizedFormat("Broken Key", "Ana", 3), "Ana: day 3");
    EXPECT_TRUE(log.contains("Broken Key"));
}

TEST_F(StringsTest, FollowsTheResourceFolderAndSurvivesMissingTables) {
    florelle::testing::TempDirectory empty;
    Bundle::setResourceDirectory(empty.path());
    Strings::setLanguage("de");
    EXPECT_EQ(Strings::localized("Period Key"), "Period Key");
    Bundle::setResourceDirectory(folder_.path());
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
}

TEST_F(StringsTest, ReloadReadsARebuiltTable) {
    Strings::setLanguage("de");
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
    writeTable("de", {{"Period Key", "Regel"}});
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
    Strings::reload();
    EXPECT_EQ(Strings::localized("Period Key"), "Regel");
}
