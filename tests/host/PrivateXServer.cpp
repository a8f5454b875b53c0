// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateXServer.h"

namespace florelle::testing {

// The server picks a free display and writes its number to descriptor 3.
PrivateXServer::PrivateXServer()
    : server_("/usr/bin/Xvfb",
              {"-displayfd", "3", "-screen", "0", "1080x2340x24", "-nolisten", "tcp"}) {
    if (!server_.firstLine().empty()) {
        display_ = ":" + server_.firstLine();
    }
}

} // namespace florelle::testing
