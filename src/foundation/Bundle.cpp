// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bundle.h"

#include <cstdlib>
#include <mutex>
#include <system_error>

namespace florelle {

namespace {

std::mutex bundleMutex;
std::optional<std::filesystem::path> resourceOverride;

std::filesystem::path searchResourceDirectory() {
    if (const char* value = std::getenv("FLORELLE_RESOURCE_DIR"); value && *value) {
        return value;
    }
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto installed = executable.parent_path().parent_path() / FLORELLE_INSTALL_DATA_SUBDIR;
        if (std::filesystem::is_directory(installed, error)) {
            return installed;
        }
    }
    return FLORELLE_BUILD_RESOURCE_DIR;
}

} // namespace

std::filesystem::path Bundle::resourceDirectory() {
    std::lock_guard lock(bundleMutex);
    if (!resourceOverride) {
        resourceOverride = searchResourceDirectory();
    }
    return *resourceOverride;
}

void Bundle::setResourceDirectory(std::optional<std::filesystem::path> directory) {
    std::lock_guard lock(bundleMutex);
    resourceOverride = std::move(directory);
}

std::filesystem::path Bundle::expectedPathForResource(std::string_view name,
                                                      std::string_view type) {
    std::string file(name);
    if (!type.empty()) {
        file += '.';
        file += type;
    }
    return resourceDirectory() / file;
}

std::optional<std::filesystem::path> Bundle::pathForResource(std::string_view name,
                                                             std::string_view type) {
    auto path = expectedPathForResource(name, type);
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        return path;
    }
    return std::nullopt;
}

std::string Bundle::version() {
    return FLORELLE_VERSION;
}

} // namespace florelle
