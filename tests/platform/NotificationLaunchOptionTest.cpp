// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NotificationLaunchOption.h"

#include <gtest/gtest.h>

using namespace florelle;

namespace {

TEST(NotificationLaunchOptionTest, CarriesTheAlertActionToTheStartedApplication) {
    LocalNotification reminder;
    reminder.alertAction = "Détails des règles";
    reminder.alertBody = "not carried";
    auto arguments = NotificationLaunchOption::arguments(reminder);
    EXPECT_EQ(arguments,
              (std::vector<std::string>{"--launched-from-reminder", reminder.alertAction}));
    auto parsed = NotificationLaunchOption::parse(arguments);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->alertAction, reminder.alertAction);
}

TEST(NotificationLaunchOptionTest, ReadsOnlyACompleteOption) {
    struct Row {
        std::vector<std::string> arguments;
        std::optional<std::string> action;
    };
    const Row rows[] = {
        {{}, std::nullopt},
        {{"--data-dir", "x"}, std::nullopt},
        {{"--launched-from-reminder"}, std::nullopt},
        {{"--verbose", "--launched-from-reminder", "Fertile details"}, "Fertile details"},
        {{"--launched-from-reminder", ""}, ""},
    };
    for (const auto& row : rows) {
        auto parsed = NotificationLaunchOption::parse(row.arguments);
        EXPECT_EQ(parsed.has_value(), row.action.has_value());
        if (parsed && row.action) {
            EXPECT_EQ(parsed->alertAction, *row.action);
        }
    }
}

} // namespace
