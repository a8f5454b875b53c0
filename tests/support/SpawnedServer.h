// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace florelle::testing {

// A server program of the test's own, started with its arguments and stopped
// with the object. Such servers tell where to reach them, or that they are
// ready, in one line written to descriptor 3; that line is empty where the
// program is not installed or could not start. Servers that write no such
// line are started without waiting (`readyLine` false); `isRunning` then
// says whether they were started.
class SpawnedServer {
public:
    SpawnedServer(const std::string& program, const std::vector<std::string>& arguments,
                  bool readyLine = true);
    SpawnedServer(const SpawnedServer&) = delete;
    SpawnedServer& operator=(const SpawnedServer&) = delete;
    ~SpawnedServer();
    const std::string& firstLine() const { return firstLine_; }
    bool isRunning() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Sends `signal` and waits for the program to end; its wait status, or
    // -1 when it had already been stopped or never started.
    int stop(int signal);

private:
    pid_t pid_ = -1;
    std::string firstLine_;
};

} // namespace florelle::testing
