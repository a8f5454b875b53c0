// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliErrors.h"
#include "storage/StoreResult.h"

namespace florelle::cli {

// The value read from the diary; a read that failed ends the command with
// the reason, so that nothing is printed or decided from it.
template <typename T> T checked(const StoreResult<T>& result) {
    if (!result.ok()) {
        throw Failure(result.error().message());
    }
    return *result;
}

inline void checked(const StoreStatus& status) {
    if (!status) {
        throw Failure(status.error().message());
    }
}

} // namespace florelle::cli
