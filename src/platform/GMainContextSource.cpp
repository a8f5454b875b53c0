// SPDX-License-Identifier: GPL-3.0-or-later
#include "GMainContextSource.h"

#include "foundation/Log.h"

namespace florelle {

GMainContextSource::GMainContextSource(GMainContext* context)
    : context_(g_main_context_ref(context)) {
    if (!g_main_context_acquire(context_)) {
        Log::write("GMainContextSource: the context belongs to another thread");
        return;
    }
    prepare();
}

GMainContextSource::~GMainContextSource() {
    timer_.invalidate();
    sources_.clear();
    if (g_main_context_is_owner(context_)) {
        g_main_context_release(context_);
    }
    g_main_context_unref(context_);
}

// One half of a GLib iteration: what the context waits for becomes run loop
// sources and a timer; dispatch() is the other half.
void GMainContextSource::prepare() {
    bool ready = g_main_context_prepare(context_, &priority_);
    gint timeout = -1;
    fds_.resize(4);
    gint count = g_main_context_query(context_, priority_, &timeout, fds_.data(),
                                      static_cast<gint>(fds_.size()));
    if (count > static_cast<gint>(fds_.size())) {
        fds_.resize(static_cast<std::size_t>(count));
        count = g_main_context_query(context_, priority_, &timeout, fds_.data(), count);
    }
    fds_.resize(static_cast<std::size_t>(count));

    sources_.clear();
    for (std::size_t index = 0; index < fds_.size(); ++index) {
        fds_[index].revents = 0;
        sources_.push_back(std::make_unique<FileDescriptorSource>(
            fds_[index].fd, static_cast<short>(fds_[index].events), [this, index](short revents) {
                fds_[index].revents = static_cast<gushort>(revents);
                dispatch();
            }));
    }
    if (ready || timeout == 0) {
        timer_ = Timer(0, false, [this] { dispatch(); });
    } else if (timeout > 0) {
        timer_ = Timer(timeout / 1000.0, false, [this] { dispatch(); });
    } else {
        timer_.invalidate();
    }
}

void GMainContextSource::dispatch() {
    timer_.invalidate();
    sources_.clear();
    if (g_main_context_check(context_, priority_, fds_.data(), static_cast<gint>(fds_.size()))) {
        g_main_context_dispatch(context_);
    }
    prepare();
}

} // namespace florelle
