// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Touch.h"

#include <memory>
#include <vector>

namespace florelle {

class View;

using Touches = std::vector<std::shared_ptr<Touch>>;

// A touch event: every finger on the screen at one moment, each in its phase.
class Event {
public:
    Event(Touches touches, Date timestamp) : touches_(std::move(touches)), timestamp_(timestamp) {}

    const Touches& allTouches() const { return touches_; }
    Date timestamp() const { return timestamp_; }
    // The touches that began on the view.
    Touches touchesForView(const View* view) const;

private:
    Touches touches_;
    Date timestamp_;
};

} // namespace florelle
