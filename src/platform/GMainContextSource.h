// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/FileDescriptorSource.h"
#include "foundation/Timer.h"

#include <glib.h>
#include <memory>
#include <vector>

namespace florelle {

// Serves a GLib main context from the current run loop: the context's
// sources (D-Bus signal handlers among them) are dispatched on this thread
// as they become ready, without a GLib main loop of their own. The context
// is owned by this thread while the source lives.
class GMainContextSource {
public:
    explicit GMainContextSource(GMainContext* context);
    GMainContextSource(const GMainContextSource&) = delete;
    GMainContextSource& operator=(const GMainContextSource&) = delete;
    ~GMainContextSource();

private:
    void prepare();
    void dispatch();

    GMainContext* context_;
    gint priority_ = 0;
    std::vector<GPollFD> fds_;
    std::vector<std::unique_ptr<FileDescriptorSource>> sources_;
    Timer timer_;
};

} // namespace florelle
