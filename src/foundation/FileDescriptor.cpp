// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDescriptor.h"

#include <unistd.h>

namespace florelle {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        reset(other.release());
    }
    return *this;
}

FileDescriptor::~FileDescriptor() {
    reset();
}

int FileDescriptor::release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
}

void FileDescriptor::reset(int fd) {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = fd;
}

} // namespace florelle
