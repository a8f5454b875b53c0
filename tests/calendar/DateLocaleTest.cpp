// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar/CalDateFormatter.h"
#include "foundation/Strings.h"
#include "support/TestEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace florelle::testing {
namespace {

const char* const localeVariables[] = {"LANGUAGE", "LC_ALL", "LC_TIME", "LC_MESSAGES", "LANG"};

// Dates follow LC_TIME and texts LC_MESSAGES, each with LC_ALL over it and
// LANG under it; the environment is put back afterwards.
class DateLocaleTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        for (const char* name : localeVariables) {
            if (const char* value = std::getenv(name)) {
                saved_[name] = value;
            }
            unsetenv(name);
        }
        Locale::setCurrent(std::nullopt);
        Strings::setLanguage(std::nullopt);
    }

    void TearDown() override {
        for (const char* name : localeVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : saved_) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        DiaryTest::TearDown();
    }

    std::map<std::string, std::string> saved_;
};

TEST_F(DateLocaleTest, DatesFollowTheTimeSettingAndTextsTheMessagesSetting) {
    struct Row {
        std::map<std::string, std::string> environment;
        const char* month;
        const char* text;
    };
    const Row rows[] = {
        {{{"LC_TIME", "de_DE.UTF-8"}, {"LC_MESSAGES", "en_US"}}, "März 2026", "days left"},
        {{{"LC_TIME", "en_US.UTF-8"}, {"LC_MESSAGES", "de_DE.UTF-8"}}, "March 2026", "Tage übrig"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_TIME", "en_GB.UTF-8"}}, "March 2026", "Tage übrig"},
        {{{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "en_US"}}, "März 2026", "days left"},
        {{{"LC_ALL", "de_DE.UTF-8"}, {"LC_TIME", "en_US"}, {"LC_MESSAGES", "en_US"}},
         "März 2026",
         "Tage übrig"},
        {{{"LANG", "C.UTF-8"}}, "March 2026", "days left"},
    };
    const CalDateFormatter monthAndYear("LLLL yyyy");
    Date march10(utcSeconds(2026, 3, 10, 12));
    for (const auto& row : rows) {
        std::string described;
        for (const char* name : localeVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : row.environment) {
            setenv(name.c_str(), value.c_str(), 1);
            described += name + "=" + value + " ";
        }
        EXPECT_EQ(monthAndYear.stringFromDate(march10), row.month) << described;
        EXPECT_EQ(Strings::localizedCount("days left Key", 2), row.text) << described;
    }
}

} // namespace
} // namespace florelle::testing
