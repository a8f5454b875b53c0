// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "foundation/Calendar.h"
#include "platform/LocalNotificationStore.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

// A diary kept from the command line in Berlin, read at noon of the same
// local day in zones all around the world: every command shows what it showed
// in Berlin, and the period reminder still comes at 13:00 local time two days
// before the predicted start.
TEST(CliTimeZoneTest, ADiaryLoggedInBerlinReadsTheSameAroundTheWorld) {
    TempDirectory data;
    auto run = [&](std::vector<std::string> arguments, const std::string& zone) {
        arguments.insert(arguments.end(), {"--now", "2026-11-20T12:00"});
        return runCli(arguments, data.path(), zone);
    };
    const std::vector<std::vector<std::string>> logged = {
        {"log", "start", "2026-10-12"},
        {"log", "end", "2026-10-16"},
        {"log", "start", "2026-11-09"},
        {"day", "2026-10-15", "--mood", "Happy", "--note", "cramps", "--intimate", "yes"},
    };
    for (const auto& arguments : logged) {
        auto result = run(arguments, "Europe/Berlin");
        ASSERT_EQ(result.status, 0) << result.err;
    }
    const std::vector<std::vector<std::string>> reads = {
        {"status", "--json"},
        {"periods"},
        {"predict", "--from", "2026-10-01", "--to", "2027-01-31"},
        {"predict", "--kind", "marked", "--from", "2026-10-01", "--to", "2026-11-30"},
        {"day", "2026-10-15", "--json"},
    };
    auto readAll = [&](const std::string& zone) {
        std::vector<std::string> outputs;
        for (const auto& arguments : reads) {
            auto result = run(arguments, zone);
            EXPECT_EQ(result.status, 0) << result.err;
            outputs.push_back(result.out);
        }
        return outputs;
    };
    auto periodReminder = [&](const std::string& zone) {
        for (const auto& entry : LocalNotificationStore(data.path()).read().entries) {
            if (entry.notification.alertAction == "Period details") {
                return Calendar(TimeZone(zone)).components(entry.notification.fireDate);
            }
        }
        return DateComponents{};
    };
    std::vector<std::string> inBerlin = readAll("Europe/Berlin");
    ASSERT_NE(inBerlin[3].find("2026-10-15"), std::string::npos) << inBerlin[3];
    for (const char* zone :
         {"UTC", "America/Los_Angeles", "Asia/Tokyo", "Pacific/Auckland", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        EXPECT_EQ(readAll(zone), inBerlin);
        DateComponents reminder = periodReminder(zone);
        EXPECT_EQ(std::vector<int>({reminder.year, reminder.month, reminder.day, reminder.hour}),
                  std::vector<int>({2026, 12, 5, 13}));
    }
}

} // namespace
