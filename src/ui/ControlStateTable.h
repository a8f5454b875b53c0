// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"

#include <map>

namespace florelle {

// Values a control keeps per state (titles, colours, pictures). A state
// without a value of its own takes the normal state's.
template <typename Value> class ControlStateTable {
public:
    // False when the state already held an equal value.
    bool set(unsigned state, const Value& value) {
        auto found = values_.find(state);
        if (found != values_.end() && found->second == value) {
            return false;
        }
        values_.insert_or_assign(state, value);
        return true;
    }
    // The value of the state itself, if it has one.
    const Value* own(unsigned state) const {
        auto found = values_.find(state);
        return found == values_.end() ? nullptr : &found->second;
    }
    // The value of the state, or else of the normal state; null when neither has one.
    const Value* find(unsigned state) const {
        if (const Value* value = own(state)) {
            return value;
        }
        return own(controlStateNormal);
    }

private:
    std::map<unsigned, Value> values_;
};

} // namespace florelle
