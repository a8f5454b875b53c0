// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace florelle {

// Starts a program found on PATH with its arguments, each one argument of
// its own: nothing of them reaches a shell.
class ChildProcess {
public:
    enum class Start { started, notFound, failed };

    // Starts it and lets it go: nothing waits for it, and it leaves no
    // zombie. False (logged) when it could not be started.
    static bool startDetached(const std::vector<std::string>& arguments);
    // Starts it; once it has ended, `exited` gets its exit status (-1 when a
    // signal ended it) on this thread's run loop.
    static Start start(const std::vector<std::string>& arguments,
                       std::function<void(int status)> exited);
};

} // namespace florelle
