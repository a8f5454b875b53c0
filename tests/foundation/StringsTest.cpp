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
