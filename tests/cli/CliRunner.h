// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace florelle::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built florelle-cli on a data folder, in a time zone and a
// language (LANG), and collects what it prints.
CliResult runCli(const std::vector<std::string>& arguments, const std::filesystem::path& dataDir,
                 const std::string& timeZone = "UTC", const std::string& language = "C.UTF-8");

// The diary file's bytes, to show that a command changed nothing.
std::string databaseBytes(const std::filesystem::path& dataDir);
// Runs SQL on the diary file behind the program's back.
void seedDatabase(const std::filesystem::path& dataDir, const std::string& sql);

struct RefusedCase {
    std::vector<std::string> arguments;
    int status;
    const char* message;
};
// Each case exits with its status and one line on standard error naming the
// problem, prints nothing else and leaves the diary byte for byte as it was.
void expectRefusedWithoutChange(
    const std::vector<RefusedCase>& cases,
    const std::function<CliResult(const std::vector<std::string>&)>& run,
    const std::filesystem::path& dataDir);

} // namespace florelle::testing
