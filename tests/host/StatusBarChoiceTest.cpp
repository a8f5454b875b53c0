// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/StatusBarChoice.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <string>

namespace florelle {
namespace {

TEST(StatusBarChoiceTest, PhoneShellsAndPortraitFullscreenHideTheBarUnlessTheOptionSays) {
    using Setting = StatusBarChoice::Setting;
    struct Row {
        const char* desktop;
        const char* platform;
        bool fillsPortrait;
        Setting setting;
        bool shown;
    };
    const Row rows[] = {
        {"GNOME", nullptr, false, Setting::automatic, true},
        {nullptr, nullptr, false, Setting::automatic, true},
        {"Phosh:GNOME", nullptr, false, Setting::automatic, false},
        {"phosh", nullptr, false, Setting::automatic, false},
        {"KDE", "phone:handset", false, Setting::automatic, false},
        {"KDE", "phone", false, Setting::automatic, false},
        {"KDE", "desktop", false, Setting::automatic, true},
        {"KDE", nullptr, false, Setting::automatic, true},
        {"GNOME", nullptr, true, Setting::automatic, false},
        {"Phosh:GNOME", nullptr, false, Setting::on, true},
        {"GNOME", nullptr, true, Setting::on, true},
        {"GNOME", nullptr, false, Setting::off, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.desktop ? row.desktop : "-") + " " +
                     (row.platform ? row.platform : "-") + " " +
                     (row.fillsPortrait ? "portrait" : "window") + " " +
                     std::to_string(static_cast<int>(row.setting)));
        florelle::testing::EnvironmentGuard desktop("XDG_CURRENT_DESKTOP", row.desktop);
        florelle::testing::EnvironmentGuard platform("PLASMA_PLATFORM", row.platform);
        EXPECT_EQ(StatusBarChoice(row.setting).shown(row.fillsPortrait), row.shown);
    }
}

} // namespace
} // namespace florelle
