// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/StoreResult.h"

#include <optional>

namespace florelle::testing {

// The failure a read (StoreResult) or a write (StoreStatus) reported, if any.
template <typename Result> std::optional<StoreError> failureOf(const Result& result) {
    if (result) {
        return std::nullopt;
    }
    return result.error();
}

} // namespace florelle::testing
