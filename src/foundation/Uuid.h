// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

// A new random UUID in upper-case text, "68753A44-4D6F-1226-9C60-0050E4C00067".
std::string makeUuidString();

} // namespace florelle
