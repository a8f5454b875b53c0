// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/FileDescriptor.h"
#include "foundation/FileDescriptorSource.h"

#include <functional>
#include <memory>
#include <signal.h>

namespace florelle {

// Turns SIGTERM and SIGINT into a call on the current run loop, so that a
// process asked to end finishes its round and leaves cleanly. The signals
// are blocked for the calling thread and the threads it starts later: make
// it before any other thread starts. The old mask returns when it goes.
class TerminationSignal {
public:
    explicit TerminationSignal(std::function<void()> handler);
    TerminationSignal(const TerminationSignal&) = delete;
    TerminationSignal& operator=(const TerminationSignal&) = delete;
    ~TerminationSignal();

private:
    void received();

    std::function<void()> handler_;
    sigset_t previousMask_;
    FileDescriptor signals_;
    std::unique_ptr<FileDescriptorSource> source_;
};

} // namespace florelle
