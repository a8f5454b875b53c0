// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace florelle::testing {

// Makes a folder and what is in it unwritable while it lives, also for root
// (who writes through permission bits): there it is a read-only bind mount
// of the folder onto itself. `available()` is false where neither works.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    ~ReadOnlyFolder();

    bool available() const { return mounted_ || changedModes_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    bool changedModes_ = false;
};

} // namespace florelle::testing
