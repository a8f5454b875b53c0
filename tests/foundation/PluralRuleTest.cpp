// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/PluralRule.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using florelle::PluralRule;

namespace {

// Formulas as gettext catalogues of several languages write them, with the
// form each count from 0 to 25 and 101, 111, 112 takes.
struct Language {
    const char* name;
    const char* pluralForms;
    std::size_t formCount;
    std::vector<std::pair<unsigned long, std::size_t>> forms;
};

const Language languages[] = {
    {"English", "nplurals=2; plural=(n != 1);", 2, {{0, 1}, {1, 0}, {2, 1}, {21, 1}}},
    {"German", " nplurals=2;plural=n!=1;", 2, {{0, 1}, {1, 0}, {2, 1}, {101, 1}}},
    {"French", "nplurals=2; plural=(n > 1);", 2, {{0, 0}, {1, 0}, {2, 1}, {25, 1}}},
    {"Japanese", "nplurals=1; plural=0;", 1, {{0, 0}, {1, 0}, {7, 0}}},
    {"Polish",
     "nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
     3,
     {{0, 2}, {1, 0}, {2, 1}, {4, 1}, {5, 2}, {12, 2}, {22, 1}, {25, 2}, {112, 2}}},
    {"Russian",
     "nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || "
     "n%100>=20) ? 1 : 2);",
     3,
     {{1, 0}, {11, 2}, {21, 0}, {101, 0}, {111, 2}, {3, 1}, {13, 2}, {0, 2}}},
    {"Arabic",
     "nplurals=6; plural=(n==0 ? 0 : n==1 ? 1 : n==2 ? 2 : n%100>=3 && n%100<=10 ? 3 : "
     "n%100>=11 ? 4 : 5);",
     6,
     {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {11, 4}, {100, 5}, {101, 5}, {103, 3}}},
    {"Slovenian",
     "nplurals=4; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);",
     4,
     {{1, 0}, {101, 0}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {0, 3}}},
    {"Arithmetic", "nplurals=4; plural=(n * 2 + 1 - 3) / 2 % 4;", 4, {{1, 0}, {2, 1}, {5, 0}}},
    {"Negation", "nplurals=2; plural=!(n == 1);", 2, {{1, 0}, {3, 1}}},
};

} // namespace

TEST(PluralRule, ChoosesTheFormOfEachLanguage) {
    for (const Language& language : languages) {
        auto rule = PluralRule::parse(language.pluralForms);
        ASSERT_TRUE(rule) << language.name;
        EXPECT_EQ(rule->formCount(), language.formCount) << language.name;
        for (auto [count, form] : language.forms) {
            EXPECT_EQ(rule->formFor(count), form) << language.name << " " << count;
        }
    }
}

TEST(PluralRule, IsReadFromACatalogueHeader) {
    auto rule = PluralRule::fromHeader("Language: fr\nPlural-Forms: nplurals=2; plural=(n > 1);\n"
                                       "Content-Type: text/plain; charset=UTF-8\n");
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->formFor(0), 0u);
    EXPECT_EQ(rule->formFor(2), 1u);
    EXPECT_FALSE(PluralRule::fromHeader("Language: de\nContent-Type: text/plain\n"));
    EXPECT_EQ(PluralRule::oneAndOther().formFor(1), 0u);
    EXPECT_EQ(PluralRule::oneAndOther().formFor(0), 1u);
}

TEST(PluralRule, RefusesDamagedFormulas) {
    std::string deep =
        "nplurals=2; plural=" + std::string(200, '(') + "n" + std::string(200, ')') + ";";
    for (const std::string& text : std::vector<std::string>{
             "", "nplurals=2;", "plural=n!=1;", "nplurals=0; plural=0;", "nplurals=x; plural=n;",
             "nplurals=2; plural=n !;", "nplurals=2; plural=(n != 1;", "nplurals=2; plural=n ? 1;",
             "nplurals=2; plural=m != 1;", "nplurals=2; plural=n != 1 2;", "nplurals=2; plural=;",
             deep}) {
        EXPECT_FALSE(PluralRule::parse(text)) << text;
    }
}

TEST(PluralRule, AFormulaPointingPastTheFormsOrDividingByZeroTakesTheFirst) {
    auto past = PluralRule::parse("nplurals=2; plural=n;");
    ASSERT_TRUE(past);
    EXPECT_EQ(past->formFor(1), 1u);
    EXPECT_EQ(past->formFor(7), 0u);
    auto byZero = PluralRule::parse("nplurals=2; plural=n / 0 + n % 0;");
    ASSERT_TRUE(byZero);
    EXPECT_EQ(byZero->formFor(5), 0u);
}
