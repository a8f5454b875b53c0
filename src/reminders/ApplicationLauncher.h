// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ApplicationService.h"
#include "platform/LocalNotification.h"

#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>

namespace florelle {

// Brings the diary's window up for a local notification: hands it to the
// window already open over the bus, else starts the window with it as its
// launch option (see NotificationLaunchOption), as a separate process that
// lives on.
class ApplicationLauncher {
public:
    // A bare program name is looked up in PATH. Without `bus` the window is
    // always started.
    explicit ApplicationLauncher(std::filesystem::path program,
                                 std::shared_ptr<ApplicationService> bus = nullptr)
        : program_(std::move(program)), bus_(std::move(bus)) {}

    // The window's program beside the running one, else "florelle" in PATH;
    // the open window on the session bus, when there is one.
    static ApplicationLauncher besideThisProgram();

    const std::filesystem::path& program() const { return program_; }
    // `activationToken` lets the window take the focus (empty: none).
    void open(const LocalNotification& notification, const std::string& activationToken) const;
    // The new process's id, or -1 (with a log line) when it could not start.
    pid_t launch(const LocalNotification& notification,
                 const std::string& activationToken = {}) const;

private:
    std::filesystem::path program_;
    std::shared_ptr<ApplicationService> bus_;
};

} // namespace florelle
