// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Paths.h"
#include "storage/SQLiteAccess.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace florelle {

// A fresh diary in a temporary documents folder, removed with it.
class TemporaryDiary {
public:
    TemporaryDiary()
        : folder_(std::filesystem::temp_directory_path() /
                  ("florelle-bench-" + std::to_string(getpid()))) {
        Paths::setDocumentsDirectory(folder_);
        SQLiteAccess::pathToDB();
    }
    TemporaryDiary(const TemporaryDiary&) = delete;
    TemporaryDiary& operator=(const TemporaryDiary&) = delete;
    ~TemporaryDiary() {
        Paths::setDocumentsDirectory(std::nullopt);
        std::filesystem::remove_all(folder_);
    }

    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

} // namespace florelle
