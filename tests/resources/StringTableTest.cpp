// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceLists.h"
#include "foundation/Bundle.h"
#include "foundation/MessageCatalog.h"
#include "foundation/PluralRule.h"
#include "foundation/Strings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>

using namespace florelle::testing;
using florelle::Bundle;
using florelle::MessageCatalog;
using florelle::PluralRule;
using florelle::Strings;

namespace {

const char* const languages[] = {"en", "de"};

MessageCatalog table(const std::string& language) {
    auto file = Bundle::resourceDirectory() / "locale" / language / "LC_MESSAGES" / "florelle.mo";
    auto catalog = MessageCatalog::load(file);
    EXPECT_TRUE(catalog) << file;
    return catalog.value_or(MessageCatalog{});
}

// Every key the program looks up: the fixed list and the catalogue's keys.
std::vector<std::string> usedKeys() {
    auto keys = readStringKeys();
    for (const auto& mood : readCatalogue("moods", "moodName")) {
        keys.push_back(mood.name + " Key");
    }
    for (const auto& symptom : readCatalogue("symptoms", "symptomName")) {
        keys.push_back(symptom.name.substr(0, symptom.name.size() - 4) + " Key");
    }
    return keys;
}

// The conversions of a text in order ("%@", "%d", "%.0f" …); a lone "%"
// counts too, since it would break the text as a pattern.
std::vector<std::string> conversions(const std::string& text) {
    static const std::regex conversion(R"(%(%|\.?[0-9]*(l|ll)?[dfus@])|%)");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it) {
        if (it->str() != "%%") {
            found.push_back(it->str());
        }
    }
    return found;
}

} // namespace

TEST(StringTable, EveryKeyTheProgramUsesHasATextInEveryLanguage) {
    auto keys = usedKeys();
    ASSERT_GT(keys.size(), 150u);
    for (const char* language : languages) {
        auto catalog = table(language);
        for (const auto& key : keys) {
            auto* text = catalog.find(key);
            EXPECT_TRUE(text && !text->empty()) << language << ": no text for \"" << key << "\"";
        }
    }
}

TEST(StringTable, TranslationsKeepTheFormatArgumentsInOrder) {
    auto english = table("en");
    auto german = table("de");
    for (const auto& key : usedKeys()) {
        auto* source = english.find(key);
        auto* translated = german.find(key);
        if (source && translated) {
            EXPECT_EQ(conversions(*translated), conversions(*source)) << key;
        }
    }
}

// Every counted key holds as many forms as its language's own Plural-Forms
// header counts, none empty, each with the conversions of the English text.
TEST(StringTable, EveryCountedKeyHasEveryPluralFormInEveryLanguage) {
    auto keys = readCountedStringKeys();
    ASSERT_GE(keys.size(), 5u);
    auto english = table("en");
    for (const char* language : languages) {
        auto catalog = table(language);
        auto declared = PluralRule::fromHeader(catalog.header());
        ASSERT_TRUE(declared) << language << " names no Plural-Forms";
        for (const auto& key : keys) {
            auto* forms = catalog.forms(key);
            ASSERT_TRUE(forms) << language << ": no text for \"" << key << "\"";
            EXPECT_EQ(forms->size(), declared->formCount()) << language << ": " << key;
            for (const auto& form : *forms) {
                EXPECT_FALSE(form.empty()) << language << ": " << key;
                EXPECT_EQ(conversions(form), conversions(*english.findCounted(key, 2)))
                    << language << ": " << form;
            }
        }
    }
}

TEST(StringTable, CountedTextsTakeTheFormOfTheirNumber) {
    struct Case {
        const char* language;
        const char* key;
        int count;
        const char* text;
    } cases[] = {
        {"en", "days Late Key", 1, "day late"},
        {"en", "days Late Key", 2, "days late"},
        {"en", "days left Key", 0, "days left"},
        {"en", "Months Key", 1, "month"},
        {"de", "days Late Key", 1, "Tag überfällig"},
        {"de", "days Late Key", 2, "Tage überfällig"},
        {"de", "Days to birth Key", 1, "Tag bis zur Geburt"},
        {"de", "Days to birth Key", 0, "Tage bis zur Geburt"},
    };
    for (const Case& c : cases) {
        Strings::setLanguage(c.language);
        EXPECT_EQ(Strings::localizedCount(c.key, c.count), c.text) << c.language << " " << c.count;
    }
    Strings::setLanguage("de");
    EXPECT_EQ(Strings::localizedCountFormat("Cycle data for last %d months Key", 6, 6),
              "Zyklusdaten der letzten 6 Monate");
    Strings::setLanguage(std::nullopt);
}

TEST(StringTable, TheConversionCheckSeesDroppedAndSwappedArguments) {
    using List = std::vector<std::string>;
    EXPECT_EQ(conversions("%@ %d %@!"), (List{"%@", "%d", "%@"}));
    EXPECT_EQ(conversions("%.0f kg, 100%% sure, %lu"), (List{"%.0f", "%lu"}));
    EXPECT_NE(conversions("Tag %d von %@"), conversions("%@: day %d"));
    EXPECT_NE(conversions("100% sicher"), conversions("100%% sure"));
}

TEST(StringTable, ReportFileNamesAreSafeFileNames) {
    static const std::regex safe(R"([A-Za-z0-9][A-Za-z0-9_-]*\.pdf)");
    for (const char* language : languages) {
        auto catalog = table(language);
        for (const char* key : {"period.pdf Key", "symptoms.pdf Key"}) {
            auto* name = catalog.find(key);
            ASSERT_TRUE(name) << language << " " << key;
            EXPECT_TRUE(std::regex_match(*name, safe)) << language << ": " << *name;
        }
        // The CSV reports are named after these texts and hold them as cells.
        for (const char* key :
             {"Period Key", "Symptoms Key", "days Key", "DATE Key", "MOODS Key", "SYMPTOMS Key",
              "PERIOD START DATE Key", "PERIOD END DATE Key", "CYCLE LENGTH Key"}) {
            auto* forms = catalog.forms(key);
            ASSERT_TRUE(forms) << key;
            for (const auto& text : *forms) {
                EXPECT_EQ(text.find_first_of(",/\\\n\""), std::string::npos)
                    << language << ": " << text;
            }
        }
    }
}

TEST(StringTable, TheFlowerTellsTheDayInTheUsersLanguage) {
    Strings::setLanguage("de_DE.UTF-8");
    EXPECT_EQ(Strings::localized("Period Key"), "Periode");
    EXPECT_EQ(Strings::localized("Happy Key"), "Glücklich");
    Strings::setLanguage("en_GB.UTF-8");
    EXPECT_EQ(Strings::localized("Period Key"), "Period");
    Strings::setLanguage("fr_FR.UTF-8");
    EXPECT_EQ(Strings::localizedCount("days left Key", 3), "days left");
    Strings::setLanguage(std::nullopt);
}

// German calls a calendar "Kalender", the fertile-window estimate a
// "Kalendermethode", and the sync's calendar an online calendar of no
// particular provider.
TEST(StringTable, GermanSaysKalender) {
    auto german = table("de");
    ASSERT_TRUE(german.find("Calendar Key") && german.find("User guide Key"));
    EXPECT_EQ(*german.find("Calendar Key"), "Kalender");
    EXPECT_NE(german.find("User guide Key")->find("Kalendermethode"), std::string::npos);
    EXPECT_NE(german.find("Sync with Google calendar Key")->find("Online-Kalender"),
              std::string::npos);
    for (const auto& key : usedKeys()) {
        if (auto* text = german.find(key)) {
            EXPECT_EQ(text->find("Google"), std::string::npos) << key;
            EXPECT_EQ(text->find("Monatsansicht"), std::string::npos) << key;
        }
    }
}

TEST(StringTable, TheGuideExplainsTheFertileWindowIsNoContraception) {
    auto english = table("en");
    auto german = table("de");
    ASSERT_TRUE(english.find("User guide Key") && german.find("User guide Key"));
    EXPECT_NE(english.find("User guide Key")->find("not contraception"), std::string::npos);
    EXPECT_NE(german.find("User guide Key")->find("keine Verhütung"), std::string::npos);
}
