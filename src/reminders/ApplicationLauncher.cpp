// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationLauncher.h"

#include "foundation/Log.h"
#include "platform/NotificationLaunchOption.h"

#include <csignal>
#include <cstring>
#include <spawn.h>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace florelle {

namespace {

constexpr const char* windowProgram = "florelle";
constexpr std::string_view tokenVariable = "XDG_ACTIVATION_TOKEN=";

// The C view of `words` for exec: valid while they are.
std::vector<char*> nullTerminated(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (auto& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ApplicationLauncher ApplicationLauncher::besideThisProgram() {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto beside = self.parent_path() / windowProgram;
        if (std::filesystem::exists(beside, error)) {
            return ApplicationLauncher(beside, ApplicationService::connect());
        }
    }
    return ApplicationLauncher(windowProgram, ApplicationService::connect());
}

void ApplicationLauncher::open(const LocalNotification& notification,
                               const std::string& activationToken) const {
    if (bus_ && bus_->handOver({.reminder = notification, .activationToken = activationToken})) {
        return;
    }
    launch(notification, activationToken);
}

pid_t ApplicationLauncher::launch(const LocalNotification& notification,
                                  const std::string& activationToken) const {
    std::vector<std::string> words = {program_.string()};
    for (auto& argument : NotificationLaunchOption::arguments(notification)) {
        words.push_back(std::move(argument));
    }
    // The window shows itself with the token, so that the shell lets it
    // take the focus.
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (activationToken.empty() || !std::string_view(*entry).starts_with(tokenVariable)) {
            environment.emplace_back(*entry);
        }
    }
    if (!activationToken.empty()) {
        environment.push_back(std::string(tokenVariable) + activationToken);
    }
    std::vector<char*> argv = nullTerminated(words);
    std::vector<char*> envp = nullTerminated(environment);
    // The window starts with the signal handling of a fresh process, not
    // with the masks and ignored signals of this one.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGCHLD);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t child = -1;
    int failed =
        program_.has_parent_path()
            ? posix_spawn(&child, argv[0], nullptr, &attributes, argv.data(), envp.data())
            : posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        Log::write("ApplicationLauncher: cannot start " + program_.string() + ": " +
                   std::strerror(failed));
        return -1;
    }
    return child;
}

} // namespace florelle
