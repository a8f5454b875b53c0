// SPDX-License-Identifier: GPL-3.0-or-later
#include "Paths.h"

#include <cstdlib>
#include <mutex>
#include <pwd.h>
#include <unistd.h>

namespace florelle {

namespace {

std::mutex pathsMutex;
std::optional<std::filesystem::path> documentsOverride;
std::optional<std::filesystem::path> configOverride;

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) {
        return entry->pw_dir;
    }
    return "/tmp";
}

// $variable when it is an absolute path (the XDG rule), else ~/fallback.
std::filesystem::path xdgDirectory(const char* variable, const char* fallback) {
    if (const char* value = std::getenv(variable); value && *value == '/') {
        return std::filesystem::path(value) / "florelle";
    }
    return homeDirectory() / fallback / "florelle";
}

} // namespace

std::filesystem::path Paths::documentsDirectory() {
    std::lock_guard lock(pathsMutex);
    return documentsOverride ? *documentsOverride : xdgDirectory("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path Paths::configDirectory() {
    std::lock_guard lock(pathsMutex);
    return configOverride ? *configOverride : xdgDirectory("XDG_CONFIG_HOME", ".config");
}

void Paths::setDocumentsDirectory(std::optional<std::filesystem::path> directory) {
    std::lock_guard lock(pathsMutex);
    documentsOverride = std::move(directory);
}

void Paths::setConfigDirectory(std::optional<std::filesystem::path> directory) {
    std::lock_guard lock(pathsMutex);
    configOverride = std::move(directory);
}

} // namespace florelle
