// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/StoreResult.h"

#include <stdexcept>

namespace florelle {

// Stops the benchmarks where a write they depend on failed: they would time
// another diary than the one they describe.
inline void require(const StoreStatus& written) {
    if (!written) {
        throw std::runtime_error(written.error().message());
    }
}

} // namespace florelle
