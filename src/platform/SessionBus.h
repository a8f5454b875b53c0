// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gio/gio.h>
#include <optional>
#include <string>

namespace florelle {

// A connection to the session bus, or to the bus at `address`; nullptr,
// with a log line naming `who`, when there is none. The caller owns it. The
// end of the session is left to the owner, not raised as a signal on the
// bus's own thread.
GDBusConnection* connectToSessionBus(const std::optional<std::string>& address, const char* who);

} // namespace florelle
