// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace florelle::testing {

// A program (the application binary) run as a process of the caller's own,
// its errors thrown away and its output into a file (or thrown away too);
// stopped with SIGTERM, and waited for, with the object.
class ApplicationProcess {
public:
    // `environment` holds NAME=value lines (see environmentWith).
    ApplicationProcess(const std::string& program, const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment,
                       const std::filesystem::path& output = "/dev/null");
    ApplicationProcess(const ApplicationProcess&) = delete;
    ApplicationProcess& operator=(const ApplicationProcess&) = delete;
    ~ApplicationProcess();

    bool started() const { return pid_ > 0; }
    // Waits for the program to end; its wait status, or -1 when it is not
    // running.
    int wait();
    // The processor time the program has used so far, user and system, in
    // seconds; -1 when it cannot be read.
    double cpuSeconds() const;
    // The memory the program holds resident (VmRSS) in megabytes (MiB); -1
    // when it cannot be read.
    double residentMegabytes() const;

    // This process's environment with `variables` (NAME=value) put in and
    // the names in `removed` taken out.
    static std::vector<std::string> environmentWith(const std::vector<std::string>& variables,
                                                    const std::vector<std::string>& removed = {});

private:
    pid_t pid_ = -1;
};

} // namespace florelle::testing
