// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopDescriptorWatch.h"

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace florelle {

namespace {

Uint32 registeredEventType() {
    Uint32 type = SDL_RegisterEvents(1);
    return type == static_cast<Uint32>(-1) ? 0 : type;
}

} // namespace

LoopDescriptorWatch::LoopDescriptorWatch()
    : eventType_(registeredEventType()), interrupt_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      thread_([this] { watch(); }) {}

LoopDescriptorWatch::~LoopDescriptorWatch() {
    {
        std::lock_guard lock(mutex_);
        quitting_ = true;
    }
    disarm();
    changed_.notify_all();
    thread_.join();
}

void LoopDescriptorWatch::arm(std::vector<pollfd> descriptors) {
    std::lock_guard lock(mutex_);
    descriptors_ = std::move(descriptors);
    armed_ = true;
    changed_.notify_all();
}

void LoopDescriptorWatch::disarm() {
    std::unique_lock lock(mutex_);
    if (!armed_) {
        return;
    }
    std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(interrupt_.get(), &one, sizeof one);
    changed_.wait(lock, [this] { return !armed_; });
}

void LoopDescriptorWatch::watch() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return armed_ || quitting_; });
        if (quitting_) {
            return;
        }
        std::vector<pollfd> fds = descriptors_;
        fds.push_back({interrupt_.get(), POLLIN, 0});
        lock.unlock();
        int ready = 0;
        do {
            ready = ::poll(fds.data(), fds.size(), -1);
        } while (ready < 0 && errno == EINTR);
        bool loopReady = false;
        for (std::size_t index = 0; ready > 0 && index + 1 < fds.size(); ++index) {
            loopReady = loopReady || fds[index].revents != 0;
        }
        if (loopReady && eventType_ != 0) {
            SDL_Event event{};
            event.type = eventType_;
            SDL_PushEvent(&event);
        }
        lock.lock();
        // An interruption that came after the loop's own descriptor woke
        // the poll is spent here, not in the next one.
        std::uint64_t count = 0;
        [[maybe_unused]] auto read = ::read(interrupt_.get(), &count, sizeof count);
        armed_ = false;
        changed_.notify_all();
    }
}

} // namespace florelle
