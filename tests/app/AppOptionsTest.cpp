#include "AppOptions.h"

#include "ui/NotificationLaunchOption.h"

#include <gtest/gtest.h>

namespace florelle {
namespace {

TEST(AppOptionsTest, AReminderButtonStartsTheRunWithItsAction) {
    LocalNotification reminder;
    reminder.alertAction = "Period details";
    std::string error;
    AppOptions options = AppOptions::parse(NotificationLaunchOption::arguments(reminder), error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(options.action, AppOptions::Action::run);
    ASSERT_TRUE(options.launchNotification);
    EXPECT_EQ(options.launchNotification->alertAction, "Period details");
}

TEST(AppOptionsTest, WithoutTheOptionNoNotificationAndWithoutItsTextAnError) {
    std::string error;
    EXPECT_FALSE(AppOptions::parse({"--scale", "1"}, error).launchNotification);
    EXPECT_EQ(error, "");
    AppOptions options = AppOptions::parse({NotificationLaunchOption::name}, error);
    EXPECT_FALSE(options.launchNotification);
    EXPECT_EQ(error, std::string(NotificationLaunchOption::name) + " needs a value");
}

} // namespace
} // namespace florelle
