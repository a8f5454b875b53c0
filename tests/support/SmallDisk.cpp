// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmallDisk.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

namespace florelle::testing {

std::unique_ptr<SmallDisk> SmallDisk::mount(std::size_t bytes, std::string& why) {
    std::unique_ptr<SmallDisk> disk(new SmallDisk);
    std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    if (::mount("tmpfs", disk->path().c_str(), "tmpfs", 0, options.c_str()) != 0) {
        why = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        return nullptr;
    }
    disk->filler_ = disk->path() / "filler";
    return disk;
}

SmallDisk::~SmallDisk() {
    // Lazily: the diary's kept connection may still hold a file open there.
    ::umount2(path().c_str(), MNT_DETACH);
}

void SmallDisk::fill() {
    int file = ::open(filler_.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    std::vector<char> block(512, 'x');
    while (::write(file, block.data(), block.size()) > 0) {
    }
    ::close(file);
}

void SmallDisk::release(std::size_t bytes) {
    auto size = std::filesystem::file_size(filler_);
    std::filesystem::resize_file(filler_, size > bytes ? size - bytes : 0);
}

} // namespace florelle::testing
