// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppOptions.h"

#include "platform/NotificationLaunchOption.h"

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

TEST(AppOptionsTest, ScreenshotSizeIsWholePixelsOnBothSides) {
    const std::pair<const char*, std::optional<Size>> cases[] = {
        {"720x1440", Size{720, 1440}}, {"1x8192", Size{1, 8192}},  {"720", std::nullopt},
        {"0x1440", std::nullopt},      {"720x", std::nullopt},     {"-720x1440", std::nullopt},
        {"72.5x144", std::nullopt},    {"8193x100", std::nullopt}, {"99999999999x1", std::nullopt}};
    for (auto [text, size] : cases) {
        std::string error;
        AppOptions options = AppOptions::parse({"--headless", "--screenshot-size", text}, error);
        EXPECT_EQ(options.screenshotSize, size) << text;
        EXPECT_EQ(error.empty(), size.has_value()) << text;
    }
}

TEST(AppOptionsTest, StatusBarIsOnOffOrLeftToTheSession) {
    using Setting = StatusBarChoice::Setting;
    const std::tuple<std::vector<std::string>, Setting, bool> cases[] = {
        {{}, Setting::automatic, true},
        {{"--status-bar", "on"}, Setting::on, true},
        {{"--status-bar", "off"}, Setting::off, true},
        {{"--status-bar", "maybe"}, Setting::automatic, false},
        {{"--status-bar"}, Setting::automatic, false}};
    for (const auto& [arguments, setting, understood] : cases) {
        std::string error;
        AppOptions options = AppOptions::parse(arguments, error);
        EXPECT_EQ(options.statusBar, setting) << arguments.size();
        EXPECT_EQ(error.empty(), understood) << error;
    }
}

} // namespace
} // namespace florelle
