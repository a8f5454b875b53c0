#include "ResourceLists.h"
#include "foundation/Bundle.h"
#include "foundation/MessageCatalog.h"
#include "foundation/Strings.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>

using namespace florelle::testing;
using florelle::Bundle;
using florelle::MessageCatalog;
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
            auto* text = catalog.find(key);
            ASSERT_TRUE(text) << key;
            EXPECT_EQ(text->find_first_of(",/\\\n\""), std::string::npos)
                << language << ": " << *text;
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
    EXPECT_EQ(Strings::localized("days left Key"), "days left");
    Strings::setLanguage(std::nullopt);
}

TEST(StringTable, TheGuideExplainsTheFertileWindowIsNoContraception) {
    auto english = table("en");
    auto german = table("de");
    ASSERT_TRUE(english.find("User guide Key") && german.find("User guide Key"));
    EXPECT_NE(english.find("User guide Key")->find("not contraception"), std::string::npos);
    EXPECT_NE(german.find("User guide Key")->find("keine Verhütung"), std::string::npos);
}
