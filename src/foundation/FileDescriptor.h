// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// Owns one open file descriptor and closes it when it goes.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    ~FileDescriptor();

    int get() const { return fd_; }
    bool isValid() const { return fd_ >= 0; }
    // Gives up ownership without closing.
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

} // namespace florelle
