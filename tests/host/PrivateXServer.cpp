#include "PrivateXServer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace florelle::testing {

namespace {

constexpr const char* serverProgram = "/usr/bin/Xvfb";

} // namespace

PrivateXServer::PrivateXServer() {
    int output[2];
    if (::access(serverProgram, X_OK) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], 3);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    // The server picks a free display and writes its number to descriptor 3.
    std::vector<std::string> words = {serverProgram, "-displayfd",   "3",         "-screen",
                                      "0",           "1080x2340x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&server_, serverProgram, &actions, nullptr, argv.data(), environ) != 0) {
        server_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    std::string number;
    char character;
    while (server_ > 0 && ::read(output[0], &character, 1) == 1 && character != '\n') {
        number.push_back(character);
    }
    ::close(output[0]);
    if (!number.empty()) {
        display_ = ":" + number;
    }
}

PrivateXServer::~PrivateXServer() {
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        ::waitpid(server_, nullptr, 0);
    }
}

} // namespace florelle::testing
