// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDescriptorSource.h"

#include <utility>

namespace florelle {

FileDescriptorSource::FileDescriptorSource(int fd, short events, std::function<void(short)> handler)
    : loop_(RunLoop::current()), id_(loop_.addSource(fd, events, std::move(handler))) {}

FileDescriptorSource::~FileDescriptorSource() {
    loop_.removeSource(id_);
}

} // namespace florelle
