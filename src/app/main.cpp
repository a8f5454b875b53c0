// SPDX-License-Identifier: GPL-3.0-or-later
// Florelle's entry point: the window (or a headless run when there is no
// display), the diary summary, the version.
#include "AppOptions.h"
#include "DiaryInfo.h"
#include "RunningWindow.h"
#include "demo/CalendarDemoAppDelegate.h"
#include "demo/DemoAppDelegate.h"
#include "demo/PasscodeDemo.h"
#include "demo/PastPeriodDemo.h"
#include "foundation/Bundle.h"
#include "foundation/PrivateFiles.h"
#include "host/HeadlessHost.h"
#include "host/HostScript.h"
#include "host/SdlHost.h"
#include "platform/ApplicationService.h"
#include "platform/DesktopNotificationPresenter.h"
#include "screens/CustomApplication.h"
#include "screens/FlorelleAppDelegate.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>

using namespace florelle;

namespace {

std::shared_ptr<ApplicationDelegate>
makeDelegate(const AppOptions& options, std::shared_ptr<NotificationPresenter> presenter) {
    switch (options.demo) {
    case AppOptions::Demo::calendar:
        return std::make_shared<CalendarDemoAppDelegate>(std::filesystem::temp_directory_path() /
                                                         "florelle-calendar-demo");
    case AppOptions::Demo::controls:
        return std::make_shared<DemoAppDelegate>(true);
    case AppOptions::Demo::passcode:
        return std::make_shared<PasscodeDemo>();
    case AppOptions::Demo::pastPeriod:
        return PastPeriodDemo::create(std::filesystem::temp_directory_path() /
                                      "florelle-past-period-demo");
    case AppOptions::Demo::platform:
        return std::make_shared<DemoAppDelegate>();
    case AppOptions::Demo::none:
        break;
    }
    return std::make_shared<FlorelleAppDelegate>(std::move(presenter));
}

int runHeadless(const AppOptions& options) {
    auto delegate = makeDelegate(options, DesktopNotificationPresenter::connect());
    HeadlessHost host(delegate, RealClock().now(), options.scale,
                      std::make_unique<CustomApplication>());
    host.setPixelSize(options.screenshotSize);
    host.application().setStatusBarHidden(!StatusBarChoice(options.statusBar).shown(false));
    host.launch({.localNotification = options.launchNotification});
    if (options.script) {
        std::ifstream script(*options.script);
        if (!script) {
            std::fprintf(stderr, "florelle: cannot read the script %s\n", options.script->c_str());
            return 1;
        }
        std::string error;
        if (!HostScript(host, std::cout).run(script, error)) {
            std::fprintf(stderr, "florelle: %s: %s\n", options.script->c_str(), error.c_str());
            return 1;
        }
    } else {
        auto path = options.screenshot.value_or(std::filesystem::temp_directory_path() /
                                                "florelle-first-screen.png");
        if (!host.screenshot(path)) {
            std::fprintf(stderr, "florelle: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("Screenshot of the first screen: %s\n", path.c_str());
    }
    if (options.showFrames) {
        std::cout << host.screen().describeFrames() << std::endl;
    }
    return 0;
}

// What this start asks of a window already open: its reminder, and the
// token its launcher gave it for taking the focus.
ApplicationRequest requestOf(const AppOptions& options) {
    for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
        if (const char* token = std::getenv(name); token && *token) {
            return {.reminder = options.launchNotification, .activationToken = token};
        }
    }
    return {.reminder = options.launchNotification, .activationToken = {}};
}

int runWindow(const AppOptions& options) {
    // One window on the diary: a later start hands its request to the open
    // one and ends. The demos run on scratch folders, as often as asked.
    std::unique_ptr<ApplicationService> service;
    if (options.demo == AppOptions::Demo::none) {
        service = ApplicationService::connect();
        if (service && !service->claim()) {
            if (service->handOver(requestOf(options))) {
                return 0;
            }
            // The window went away meanwhile, or does not answer.
            if (!service->claim()) {
                service.reset();
            }
        }
    }
    std::string reason = "no display is set (neither DISPLAY nor WAYLAND_DISPLAY)";
    if (SdlHost::displayNamed()) {
        try {
            SdlHost host(options.scale, StatusBarChoice(options.statusBar));
            if (options.showFrames) {
                host.setFrameLog(&std::cout);
            }
            RunningWindow running([&host] { host.raise(); });
            auto presenter = DesktopNotificationPresenter::connect();
            running.listen(service.get(), presenter.get());
            return host.run(makeDelegate(options, presenter), std::make_unique<CustomApplication>(),
                            {.localNotification = options.launchNotification});
        } catch (const std::runtime_error& failure) {
            reason = failure.what();
        }
    }
    std::printf("Florelle: %s; running headless instead.\n", reason.c_str());
    return runHeadless(options);
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    AppOptions options = AppOptions::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!error.empty()) {
        std::fprintf(stderr, "florelle: %s\n%s", error.c_str(), AppOptions::usage());
        return 2;
    }
    switch (options.action) {
    case AppOptions::Action::version:
        std::printf("Florelle %s\n", Bundle::version().c_str());
        return 0;
    case AppOptions::Action::help:
        std::printf("%s", AppOptions::usage());
        return 0;
    case AppOptions::Action::info:
        return DiaryInfo::print();
    case AppOptions::Action::run:
        break;
    }
    PrivateFiles::tightenDiaryFiles();
    return options.headless ? runHeadless(options) : runWindow(options);
}
