// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace florelle::testing {

namespace {

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(count));
    }
    close(fd);
    return text;
}

} // namespace

CliResult runCli(const std::vector<std::string>& arguments, const std::filesystem::path& dataDir,
                 const std::string& timeZone, const std::string& language) {
    std::vector<std::string> words = {FLORELLE_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    words.push_back("--data-dir");
    words.push_back(dataDir.string());
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    std::vector<std::string> environment = {"TZ=" + timeZone, "LANG=" + language,
                                            "ASAN_OPTIONS=detect_leaks=1"};
    std::vector<char*> envp;
    for (auto& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    pid_t child = 0;
    int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    CliResult result;
    if (spawned != 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }
    // Outputs are small: reading one pipe to its end before the other cannot block the child.
    result.out = readAll(outPipe[0]);
    result.err = readAll(errPipe[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string databaseBytes(const std::filesystem::path& dataDir) {
    std::ifstream in(dataDir / "period" / "period.db", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void seedDatabase(const std::filesystem::path& dataDir, const std::string& sql) {
    std::string command =
        "sqlite3 '" + (dataDir / "period" / "period.db").string() + "' \"" + sql + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void expectRefusedWithoutChange(
    const std::vector<RefusedCase>& cases,
    const std::function<CliResult(const std::vector<std::string>&)>& run,
    const std::filesystem::path& dataDir) {
    std::string before = databaseBytes(dataDir);
    ASSERT_FALSE(before.empty());
    for (const auto& c : cases) {
        auto result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_EQ(databaseBytes(dataDir), before);
}

} // namespace florelle::testing
