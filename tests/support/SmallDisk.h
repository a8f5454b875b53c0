// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/TestEnvironment.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

namespace florelle::testing {

// A tmpfs of a few hundred kilobytes on a temporary folder for as long as the
// object lives, and a file that takes up whatever room is left on it.
class SmallDisk {
public:
    // nullptr where this process may not mount; `why` then says so.
    static std::unique_ptr<SmallDisk> mount(std::size_t bytes, std::string& why);
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    ~SmallDisk();

    const std::filesystem::path& path() const { return folder_.path(); }
    // Grows the filler until the disk is full.
    void fill();
    // Gives `bytes` of the filler back.
    void release(std::size_t bytes);

private:
    SmallDisk() = default;

    TempDirectory folder_;
    std::filesystem::path filler_;
};

} // namespace florelle::testing
