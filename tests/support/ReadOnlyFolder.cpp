// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadOnlyFolder.h"

#include <sys/mount.h>
#include <unistd.h>

namespace florelle::testing {

namespace fs = std::filesystem;

ReadOnlyFolder::ReadOnlyFolder(fs::path folder) : folder_(std::move(folder)) {
    if (geteuid() == 0) {
        const char* path = folder_.c_str();
        mounted_ = mount(path, path, nullptr, MS_BIND, nullptr) == 0;
        if (mounted_ &&
            mount(nullptr, path, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            umount(path);
            mounted_ = false;
        }
        return;
    }
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        fs::permissions(entry.path(), fs::perms::owner_read, error);
    }
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec, error);
    changedModes_ = !error;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (mounted_) {
        // Detached at once, even while the program still has the file open
        // through it: new opens see the writable folder again.
        umount2(folder_.c_str(), MNT_DETACH);
        return;
    }
    std::error_code error;
    fs::permissions(folder_, fs::perms::owner_all, error);
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::owner_write, error);
    }
}

} // namespace florelle::testing
