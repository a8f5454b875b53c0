// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpawnedServer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace florelle::testing {

SpawnedServer::SpawnedServer(const std::string& program, const std::vector<std::string>& arguments,
                             bool readyLine) {
    int output[2];
    if (::access(program.c_str(), X_OK) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (readyLine) {
        posix_spawn_file_actions_adddup2(&actions, output[1], 3);
    }
    // Their chatter would only bury the test's own output.
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words = {program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    char character;
    while (readyLine && pid_ > 0 && ::read(output[0], &character, 1) == 1 && character != '\n') {
        firstLine_.push_back(character);
    }
    ::close(output[0]);
}

SpawnedServer::~SpawnedServer() {
    stop(SIGTERM);
}

int SpawnedServer::stop(int signal) {
    int status = -1;
    if (pid_ > 0) {
        ::kill(pid_, signal);
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }
    return status;
}

} // namespace florelle::testing
