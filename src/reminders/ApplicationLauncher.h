// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LocalNotification.h"

#include <filesystem>
#include <sys/types.h>

namespace florelle {

// Starts the diary's window with a local notification as its launch option
// (see NotificationLaunchOption), as a separate process that lives on.
class ApplicationLauncher {
public:
    // A bare program name is looked up in PATH.
    explicit ApplicationLauncher(std::filesystem::path program) : program_(std::move(program)) {}

    // The window's program beside the running one, else "florelle" in PATH.
    static ApplicationLauncher besideThisProgram();

    const std::filesystem::path& program() const { return program_; }
    // The new process's id, or -1 (with a log line) when it could not start.
    pid_t launch(const LocalNotification& notification) const;

private:
    std::filesystem::path program_;
};

} // namespace florelle
