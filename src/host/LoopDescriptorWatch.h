// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/FileDescriptor.h"

#include <SDL.h>
#include <condition_variable>
#include <mutex>
#include <poll.h>
#include <thread>
#include <vector>

namespace florelle {

// Lets a thread that sleeps in SDL's event wait hear its run loop too: while
// armed, a thread of its own watches the loop's descriptors (its wake-up and
// its sources) and puts an event of its own in SDL's queue when one is
// ready, so that the wait can last until the next timer.
class LoopDescriptorWatch {
public:
    LoopDescriptorWatch();
    LoopDescriptorWatch(const LoopDescriptorWatch&) = delete;
    LoopDescriptorWatch& operator=(const LoopDescriptorWatch&) = delete;
    ~LoopDescriptorWatch();

    // Watches the descriptors until one is ready or disarm().
    void arm(std::vector<pollfd> descriptors);
    // Stops watching; returns once the thread no longer polls them.
    void disarm();
    // The type of the event put in the queue (0 when SDL had none to give).
    Uint32 eventType() const { return eventType_; }

private:
    void watch();

    Uint32 eventType_ = 0;
    FileDescriptor interrupt_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<pollfd> descriptors_;
    bool armed_ = false;
    bool quitting_ = false;
    std::thread thread_;
};

} // namespace florelle
