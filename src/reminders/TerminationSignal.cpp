// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignal.h"

#include "foundation/Log.h"

#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace florelle {

TerminationSignal::TerminationSignal(std::function<void()> handler) : handler_(std::move(handler)) {
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGTERM);
    sigaddset(&mask, SIGINT);
    pthread_sigmask(SIG_BLOCK, &mask, &previousMask_);
    signals_.reset(::signalfd(-1, &mask, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!signals_.isValid()) {
        Log::write("TerminationSignal: cannot watch the termination signals");
        return;
    }
    source_ = std::make_unique<FileDescriptorSource>(signals_.get(), POLLIN,
                                                     [this](short) { received(); });
}

TerminationSignal::~TerminationSignal() {
    source_.reset();
    signals_.reset();
    pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

void TerminationSignal::received() {
    signalfd_siginfo info;
    bool any = false;
    while (::read(signals_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        any = true;
    }
    if (any && handler_) {
        handler_();
    }
}

} // namespace florelle
