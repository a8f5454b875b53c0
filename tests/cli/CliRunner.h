#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace florelle::testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built florelle-cli on a data folder, in a time zone, and collects
// what it prints.
CliResult runCli(const std::vector<std::string>& arguments, const std::filesystem::path& dataDir,
                 const std::string& timeZone = "UTC");

} // namespace florelle::testing
