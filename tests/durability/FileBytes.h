// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace florelle::testing {

// Every byte of the file; empty when it cannot be read.
inline std::string bytesOf(const std::filesystem::path& file) {
    std::error_code error;
    std::string bytes(std::filesystem::file_size(file, error), '\0');
    std::ifstream(file, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return error ? std::string() : bytes;
}

// Puts a new file with these bytes in the place of `file`, as a rescue or a
// copy from another machine would: a program that had it open sees another
// file.
inline void replaceFile(const std::filesystem::path& file, const std::string& bytes) {
    auto beside = file;
    beside += ".new";
    std::ofstream(beside, std::ios::binary) << bytes;
    std::filesystem::rename(beside, file);
}

} // namespace florelle::testing
