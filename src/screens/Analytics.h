// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace florelle {

// Where the application tells what happened (start-up, activation, a petal
// opened). The diary is private: nothing leaves the machine.
class Analytics {
public:
    virtual ~Analytics() = default;

    virtual void logEvent(std::string_view name) = 0;
};

} // namespace florelle
