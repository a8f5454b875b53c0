// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace florelle::testing {

// The bytes of a compiled gettext catalogue holding the given key/text pairs,
// as msgfmt writes it (little-endian unless asked otherwise).
std::string writeMessageCatalog(const std::vector<std::pair<std::string, std::string>>& entries,
                                bool bigEndian = false);

} // namespace florelle::testing
