// SPDX-License-Identifier: GPL-3.0-or-later
#include "Event.h"

namespace florelle {

Touches Event::touchesForView(const View* view) const {
    Touches result;
    for (const auto& touch : touches_) {
        if (touch->view().get() == view) {
            result.push_back(touch);
        }
    }
    return result;
}

} // namespace florelle
