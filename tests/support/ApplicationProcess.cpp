// SPDX-License-Identifier: GPL-3.0-or-later
#include "ApplicationProcess.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace florelle::testing {

namespace {

std::vector<char*> pointersTo(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (auto& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string_view nameOf(std::string_view variable) {
    return variable.substr(0, variable.find('='));
}

} // namespace

ApplicationProcess::ApplicationProcess(const std::string& program,
                                       const std::vector<std::string>& arguments,
                                       const std::vector<std::string>& environment,
                                       const std::filesystem::path& output) {
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = environment;
    auto argv = pointersTo(words);
    auto envp = pointersTo(variables);
    posix_spawn_file_actions_t streams;
    posix_spawn_file_actions_init(&streams);
    posix_spawn_file_actions_addopen(&streams, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&streams, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, program.c_str(), &streams, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&streams);
}

ApplicationProcess::~ApplicationProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        wait();
    }
}

int ApplicationProcess::wait() {
    int status = -1;
    if (pid_ > 0) {
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    return status;
}

double ApplicationProcess::cpuSeconds() const {
    std::ifstream file("/proc/" + std::to_string(pid_) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto nameEnd = text.rfind(')');
    if (pid_ <= 0 || nameEnd == std::string::npos) {
        return -1;
    }
    // The name (which may hold spaces and parentheses) is the second field
    // and the state the third; user and system time, in clock ticks, are
    // the 14th and 15th.
    std::istringstream fields(text.substr(nameEnd + 2));
    std::string field;
    double ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stod(field);
        }
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ApplicationProcess::residentMegabytes() const {
    std::ifstream file("/proc/" + std::to_string(pid_) + "/status");
    std::string line;
    while (pid_ > 0 && std::getline(file, line)) {
        // "VmRSS:    123456 kB"
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024;
        }
    }
    return -1;
}

std::vector<std::string>
ApplicationProcess::environmentWith(const std::vector<std::string>& variables,
                                    const std::vector<std::string>& removed) {
    std::vector<std::string> environment = variables;
    for (char** variable = environ; *variable; ++variable) {
        std::string_view name = nameOf(*variable);
        bool replaced = std::any_of(variables.begin(), variables.end(),
                                    [&](const std::string& own) { return nameOf(own) == name; });
        if (!replaced && std::find(removed.begin(), removed.end(), name) == removed.end()) {
            environment.emplace_back(*variable);
        }
    }
    return environment;
}

} // namespace florelle::testing
