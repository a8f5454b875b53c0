// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"

#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class DiaryRulesTest : public DiaryTest {};

} // namespace

// The durability tests are only as good as this judge: each way a diary can
// break is named, and a sound diary passes.
TEST_F(DiaryRulesTest, EachBrokenRuleIsNamed) {
    struct Case {
        const char* what;
        const char* change;
        const char* named; // empty: the diary keeps every rule
    };
    // Days 20000 to 20004 and 20010 to 20012 (seconds / 86400), both closed;
    // IS_START_DATE 1.
    const Case cases[] = {
        {"sound", "", ""},
        {"sound with an open latest period",
         "INSERT INTO periods VALUES (NULL, 1729728000, 0); UPDATE settings SET value = 0 WHERE "
         "name = 'IS_START_DATE'",
         ""},
        {"flag says open", "UPDATE settings SET value = 0 WHERE name = 'IS_START_DATE'",
         "IS_START_DATE"},
        {"flag says closed", "INSERT INTO periods VALUES (NULL, 1729728000, 0)", "IS_START_DATE"},
        {"same start day", "INSERT INTO periods VALUES (NULL, 1728003600, 1728086400)", "same day"},
        {"end before start", "INSERT INTO periods VALUES (NULL, 1728604800, 1728518400)",
         "ends before"},
        {"overlap", "INSERT INTO periods VALUES (NULL, 1728777600, 1728864000)", "reaches into"},
        {"open period before another",
         "UPDATE periods SET endDate = 0 WHERE startDate = 1728000000", "reaches into"},
    };
    auto file = SQLiteAccess::pathToDB();
    ASSERT_TRUE(file);
    RawDatabase diary(*file);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(diary.exec("BEGIN; DELETE FROM periods; INSERT INTO periods VALUES (NULL, "
                             "1728000000, 1728345600), (NULL, 1728864000, 1729036800)"),
                  SQLITE_OK);
        ASSERT_EQ(diary.exec(c.change), SQLITE_OK);
        auto broken = DiaryRules::broken(diary);
        diary.exec("ROLLBACK");
        if (*c.named == '\0') {
            EXPECT_EQ(broken, std::vector<std::string>());
        } else {
            EXPECT_TRUE(std::any_of(broken.begin(), broken.end(), [&](const std::string& rule) {
                return rule.find(c.named) != std::string::npos;
            })) << ::testing::PrintToString(broken);
        }
    }
}
