// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace florelle {

// The stored passcode (setting APP_PASSWORD), read as the code it stands
// for. The empty text means no passcode. A setting that cannot be read (no
// row, no database, not a number) also counts as none, and says so in the
// log: locking the diary with a code nobody chose would lock its owner out.
class PasscodeSetting {
public:
    static std::optional<long long> stored();
};

} // namespace florelle
