// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

namespace florelle {

// The diary's log: one line per message on standard error, with a time stamp
// and the process id. Messages are the program's own fixed texts; a trailing
// newline in a message is dropped.
class Log {
public:
    static void write(std::string_view message);

    // Sends every message (without the time stamp) to the sink instead of
    // standard error; an empty function restores standard error.
    using Sink = std::function<void(std::string_view)>;
    static void setSink(Sink sink);
};

} // namespace florelle
