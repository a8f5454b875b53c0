// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/SpawnedServer.h"

#include <string>

namespace florelle::testing {

// An X server of the test's own (Xvfb, with a screen as large as a phone's),
// gone with the object. The display (":N") is empty where it could not start.
class PrivateXServer {
public:
    PrivateXServer();
    const std::string& display() const { return display_; }

private:
    SpawnedServer server_;
    std::string display_;
};

} // namespace florelle::testing
