// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunningWindow.h"

#include "platform/ApplicationService.h"
#include "platform/NotificationPresenter.h"
#include "ui/Application.h"

#include <cstdlib>

namespace florelle {

namespace {

constexpr const char* tokenVariable = "XDG_ACTIVATION_TOKEN";
constexpr const char* startupIdVariable = "DESKTOP_STARTUP_ID";

} // namespace

void RunningWindow::listen(ApplicationService* service, NotificationPresenter* presenter) {
    if (service) {
        service->onRequest = [this](const ApplicationRequest& request) { handle(request); };
    }
    if (presenter) {
        presenter->onActionInvoked = [this](const LocalNotification& notification,
                                            const std::string& token) {
            handle({.reminder = notification, .activationToken = token});
        };
    }
}

void RunningWindow::handle(const ApplicationRequest& request) {
    Application* application = Application::sharedApplication();
    if (request.reminder && application) {
        if (auto delegate = application->delegate()) {
            delegate->didReceiveLocalNotification(*application, *request.reminder);
        }
    }
    // Where SDL and the window system look for it while the window comes up
    // (SDL hands XDG_ACTIVATION_TOKEN to the Wayland shell); a token serves
    // once, so the programs the window starts later do not inherit it.
    bool withToken = !request.activationToken.empty();
    if (withToken) {
        setenv(tokenVariable, request.activationToken.c_str(), 1);
        setenv(startupIdVariable, request.activationToken.c_str(), 1);
    }
    if (raise_) {
        raise_();
    }
    if (withToken) {
        unsetenv(tokenVariable);
        unsetenv(startupIdVariable);
    }
}

} // namespace florelle
