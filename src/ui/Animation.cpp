// SPDX-License-Identifier: GPL-3.0-or-later
#include "Animation.h"

namespace florelle {

std::optional<double> Animation::activeTime(double elapsed) const {
    if (elapsed < 0) {
        if (fillMode_ == FillMode::backwards || fillMode_ == FillMode::both) {
            return 0.0;
        }
        return std::nullopt;
    }
    if (elapsed >= duration_ - endTolerance) {
        if (fillMode_ == FillMode::forwards || fillMode_ == FillMode::both) {
            return duration_;
        }
        return std::nullopt;
    }
    return elapsed;
}

double Animation::progress(double time) const {
    return duration_ > 0 ? progressAt(curve_, time / duration_) : 1.0;
}

} // namespace florelle
