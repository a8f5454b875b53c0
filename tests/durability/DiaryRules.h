// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/RawDatabase.h"

#include <string>
#include <vector>

namespace florelle::testing {

// What must hold in every diary after any sequence of saves, however they
// were interrupted or interleaved: the file is sound, IS_START_DATE is 0
// exactly while the latest period is open, no two periods start on the same
// day and no two share a day (an open period runs on indefinitely). Days are
// UTC days, as the writer keeps them.
class DiaryRules {
public:
    // A description of each rule the diary breaks; empty when it keeps all.
    static std::vector<std::string> broken(const RawDatabase& diary);
};

} // namespace florelle::testing
