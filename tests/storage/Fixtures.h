// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace florelle::testing {

// The SQL of a diary written by an older data version (100, 110 or 120).
inline std::string fixtureText(int version) {
    auto path = std::filesystem::path(FLORELLE_STORAGE_FIXTURES) /
                ("version" + std::to_string(version) + ".sql");
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    if (text.str().empty()) {
        throw std::runtime_error("missing fixture " + path.string());
    }
    return text.str();
}

} // namespace florelle::testing
