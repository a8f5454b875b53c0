// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppOptions.h"

#include "platform/NotificationLaunchOption.h"

#include <cmath>
#include <cstdlib>

namespace florelle {

namespace {

constexpr double largestScale = 4;
constexpr int largestScreenshotSide = 8192;

// "720x1440", both sides whole numbers of pixels from 1 to the largest.
std::optional<Size> parsePixelSize(const std::string& text) {
    auto separator = text.find('x');
    if (separator == std::string::npos) {
        return std::nullopt;
    }
    auto side = [](const std::string& digits) -> std::optional<double> {
        if (digits.empty() || digits.size() > 5 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        int pixels = std::stoi(digits);
        if (pixels < 1 || pixels > largestScreenshotSide) {
            return std::nullopt;
        }
        return pixels;
    };
    auto width = side(text.substr(0, separator));
    auto height = side(text.substr(separator + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return Size{*width, *height};
}

} // namespace

const char* AppOptions::usage() {
    return "Usage: florelle [--scale N] [--frames] [--status-bar on|off]\n"
           "                [--headless [--script FILE] [--screenshot FILE]\n"
           "                [--screenshot-size WIDTHxHEIGHT]]\n"
           "                [--demo | --controls-demo | --calendar-demo | --passcode-demo |\n"
           "                 --past-period-demo]\n"
           "       florelle --launched-from-reminder ACTION\n"
           "       florelle --info | --version | --help\n"
           "  --scale N          pixels per point of the window as it opens, and of\n"
           "                     headless pictures (default 2); the window can be\n"
           "                     resized and the screen scales to fill it\n"
           "  --status-bar on|off\n"
           "                     draw the 20-point status bar over the top of the\n"
           "                     screen or not; by default not where the phone's\n"
           "                     shell draws its own (Phosh, Plasma Mobile, a\n"
           "                     window filling a portrait screen)\n"
           "  --headless         run without a window\n"
           "  --script FILE      drive the headless run with the lines of FILE:\n"
           "                     tap X Y, drag X1 Y1 X2 Y2, type TEXT, wait SECONDS,\n"
           "                     key NAME, screenshot FILE, dump, frames\n"
           "  --screenshot FILE  where a headless run without a script puts the\n"
           "                     picture of the first screen\n"
           "  --screenshot-size WIDTHxHEIGHT\n"
           "                     headless pictures of that many pixels, the screen\n"
           "                     fitted in between black bars (720x1440)\n"
           "  --frames           print the number of each frame the window shows, the\n"
           "                     pixels it changed and the views drawn for it (for a\n"
           "                     headless run: of its last frame)\n"
           "  --demo             the platform demo instead of the diary\n"
           "  --controls-demo    open the tour of every control over the demo\n"
           "  --calendar-demo    the month calendar on a scratch diary\n"
           "  --passcode-demo    set, change and turn off a passcode; the lock\n"
           "  --past-period-demo the diary on a scratch folder, with buttons that add,\n"
           "                     edit and delete past periods\n"
           "  --launched-from-reminder ACTION\n"
           "                     started from the reminder whose button reads ACTION\n"
           "  --info             what the diary holds, where it and the resources are\n"
           "  --version          the version\n"
           "A start while the diary's window is open (not headless, not a demo) hands\n"
           "its reminder to that window, brings it to the front and ends.\n";
}

AppOptions AppOptions::parse(const std::vector<std::string>& arguments, std::string& error) {
    AppOptions options;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        auto value = [&]() -> const std::string* {
            if (index + 1 >= arguments.size()) {
                error = argument + " needs a value";
                return nullptr;
            }
            return &arguments[++index];
        };
        if (argument == "--version") {
            options.action = Action::version;
        } else if (argument == "--info") {
            options.action = Action::info;
        } else if (argument == "--help" || argument == "-h") {
            options.action = Action::help;
        } else if (argument == "--demo") {
            options.demo = Demo::platform;
        } else if (argument == "--controls-demo") {
            options.demo = Demo::controls;
        } else if (argument == "--calendar-demo") {
            options.demo = Demo::calendar;
        } else if (argument == "--passcode-demo") {
            options.demo = Demo::passcode;
        } else if (argument == "--past-period-demo") {
            options.demo = Demo::pastPeriod;
        } else if (argument == "--frames") {
            options.showFrames = true;
        } else if (argument == "--headless") {
            options.headless = true;
        } else if (argument == "--script") {
            const std::string* file = value();
            if (!file) {
                return options;
            }
            options.script = *file;
            options.headless = true;
        } else if (argument == "--screenshot") {
            const std::string* file = value();
            if (!file) {
                return options;
            }
            options.screenshot = *file;
        } else if (argument == "--screenshot-size") {
            const std::string* text = value();
            if (!text) {
                return options;
            }
            options.screenshotSize = parsePixelSize(*text);
            if (!options.screenshotSize) {
                error = "--screenshot-size needs WIDTHxHEIGHT in pixels, such as 720x1440";
                return options;
            }
        } else if (argument == NotificationLaunchOption::name) {
            const std::string* action = value();
            if (!action) {
                return options;
            }
            options.launchNotification = NotificationLaunchOption::parse({argument, *action});
        } else if (argument == "--status-bar") {
            const std::string* text = value();
            if (!text) {
                return options;
            }
            if (*text != "on" && *text != "off") {
                error = "--status-bar needs on or off";
                return options;
            }
            options.statusBar =
                *text == "on" ? StatusBarChoice::Setting::on : StatusBarChoice::Setting::off;
        } else if (argument == "--scale") {
            const std::string* text = value();
            if (!text) {
                return options;
            }
            char* end = nullptr;
            double scale = std::strtod(text->c_str(), &end);
            if (end == text->c_str() || *end != '\0' || !std::isfinite(scale) || scale <= 0 ||
                scale > largestScale) {
                error = "--scale needs a number above 0 and at most 4";
                return options;
            }
            options.scale = scale;
        } else {
            error = "unknown argument " + argument;
            return options;
        }
    }
    return options;
}

} // namespace florelle
