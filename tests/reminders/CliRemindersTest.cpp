// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "platform/LocalNotificationStore.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class CliRemindersTest : public ::testing::Test {
protected:
    std::vector<LocalNotificationStore::Entry> entries() const {
        return LocalNotificationStore(data_.path()).read().entries;
    }
    int pendingWithAction(const std::string& action) const {
        int count = 0;
        for (const auto& entry : entries()) {
            count += !entry.delivered && entry.notification.alertAction == action;
        }
        return count;
    }

    TempDirectory data_;
};

TEST_F(CliRemindersTest, LoggingAStartLeavesBothReminders) {
    auto result = runCli({"log", "start", "yesterday"}, data_.path());
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("Period started on "));
    EXPECT_EQ(entries().size(), 2u);
    EXPECT_EQ(pendingWithAction("Period details"), 1);
    EXPECT_EQ(pendingWithAction("Fertile details"), 1);

    // Ending the period does not touch the reminders.
    auto before = entries();
    ASSERT_EQ(runCli({"log", "end", "today"}, data_.path()).status, 0);
    EXPECT_EQ(entries(), before);
}

TEST_F(CliRemindersTest, ReminderAndLengthSettingsReplanBothReminders) {
    ASSERT_EQ(runCli({"log", "start", "today"}, data_.path()).status, 0);
    const std::vector<std::pair<std::string, std::string>> changes = {
        {"period-reminder", "3"}, {"fertile-reminder", "4"}, {"cycle-length", "30"},
        {"period-length", "6"},   {"period-reminder", "0"},
    };
    for (const auto& [name, value] : changes) {
        auto before = entries();
        auto result = runCli({"settings", "set", name, value}, data_.path());
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, name + " " + value + "\n");
        EXPECT_EQ(entries().size(), 2u) << name;
        EXPECT_NE(entries(), before) << name;
    }
    EXPECT_EQ(runCli({"settings", "--json"}, data_.path()).out.find("\"period-reminder\": 0") !=
                  std::string::npos,
              true);
}

TEST_F(CliRemindersTest, OtherSettingsLeaveTheRemindersAlone) {
    ASSERT_EQ(runCli({"log", "start", "today"}, data_.path()).status, 0);
    auto before = entries();
    ASSERT_EQ(runCli({"settings", "set", "units", "imperial"}, data_.path()).status, 0);
    ASSERT_EQ(runCli({"settings", "set", "ovulation-day", "12"}, data_.path()).status, 0);
    EXPECT_EQ(entries(), before);
}

} // namespace
