#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// What the command line of `florelle` asks for.
struct AppOptions {
    enum class Action { run, version, info, help };

    Action action = Action::run;
    bool headless = false;
    // The platform demo instead of the diary.
    bool demo = false;
    std::optional<std::filesystem::path> script;
    // Where a headless run without a script puts its picture of the first screen.
    std::optional<std::filesystem::path> screenshot;
    double scale = 2;

    // Empty `error` means the arguments were understood.
    static AppOptions parse(const std::vector<std::string>& arguments, std::string& error);
    static const char* usage();
};

} // namespace florelle
