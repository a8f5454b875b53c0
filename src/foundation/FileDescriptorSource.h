// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunLoop.h"

#include <functional>

namespace florelle {

// Calls its handler on the current thread's run loop whenever the file
// descriptor is ready for the events asked for (poll(2) flags such as
// POLLIN). It watches while it lives; the descriptor stays the caller's.
class FileDescriptorSource {
public:
    FileDescriptorSource(int fd, short events, std::function<void(short revents)> handler);
    FileDescriptorSource(const FileDescriptorSource&) = delete;
    FileDescriptorSource& operator=(const FileDescriptorSource&) = delete;
    ~FileDescriptorSource();

private:
    RunLoop& loop_;
    RunLoop::Id id_;
};

} // namespace florelle
