// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/TimeZone.h"
#include "storage/StoreResult.h"

#include <optional>
#include <string>

namespace florelle {

// The time zone the diary's days are written in, kept in the setting
// "DIARY_TIME_ZONE" (the zone's identifier): a period's start and end are
// local midnights there, and a day's key is taken from 23:59:59 there. When
// the machine is in another zone, the days are re-anchored to it, so that
// every logged day stays on its calendar date. True instants (a note's edit
// time, the start of a pregnancy) never move.
class DiaryTimeZone {
public:
    static constexpr const char* settingName = "DIARY_TIME_ZONE";

    // The stored zone; std::nullopt while the diary has none.
    static StoreResult<std::optional<std::string>> stored();

    struct Reanchoring {
        std::string from;
        std::string to;
        int periods = 0;
        int days = 0;
    };
    // Brings the diary's days to `zone` in one transaction: every period's
    // start and end to local midnight of the same date there, every day key
    // to the key of the same date there, and the stored zone to `zone`. A
    // diary without a stored zone adopts `zone` and keeps its days. What was
    // re-anchored, std::nullopt when nothing was (so that of several
    // programs doing it at once, only the first one does).
    static StoreResult<std::optional<Reanchoring>> follow(const TimeZone& zone);
};

} // namespace florelle
