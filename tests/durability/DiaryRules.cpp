// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"

namespace florelle::testing {

namespace {

struct Rule {
    const char* what;
    // Counts the rows that break the rule.
    const char* offenders;
};

constexpr Rule rules[] = {
    {"IS_START_DATE is 0 exactly while the latest period is open",
     "SELECT (SELECT CAST(value AS INTEGER) FROM settings WHERE name = 'IS_START_DATE') <> "
     "IFNULL((SELECT endDate <> 0 FROM periods ORDER BY startDate DESC LIMIT 1), 1)"},
    {"no two periods start on the same day",
     "SELECT COUNT(*) FROM (SELECT startDate / 86400 FROM periods GROUP BY startDate / 86400 "
     "HAVING COUNT(*) > 1)"},
    {"no period ends before it starts",
     "SELECT COUNT(*) FROM periods WHERE endDate <> 0 AND endDate / 86400 < startDate / 86400"},
    {"no period reaches into the next one",
     "SELECT COUNT(*) FROM (SELECT endDate, LEAD(startDate) OVER (ORDER BY startDate) AS next "
     "FROM periods) WHERE next IS NOT NULL AND (endDate = 0 OR endDate / 86400 >= next / 86400)"},
};

} // namespace

std::vector<std::string> DiaryRules::broken(const RawDatabase& diary) {
    // Writers that may still run hold the file for a moment at a time.
    sqlite3_busy_timeout(diary.handle(), 10000);
    std::vector<std::string> broken;
    if (std::string verdict = diary.text("PRAGMA integrity_check"); verdict != "ok") {
        return {"the file is sound: " + verdict};
    }
    for (const Rule& rule : rules) {
        if (std::string count = diary.text(rule.offenders); count != "0") {
            broken.push_back(std::string(rule.what) + ": " + count);
        }
    }
    return broken;
}

} // namespace florelle::testing
