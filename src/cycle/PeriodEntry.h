// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <optional>

namespace florelle {

// Entering a period's first or last day, as the centre button does: which
// days may be picked and what a pick stores. Every way of logging a period
// (the start/end calendar, the command line) goes through here.
class PeriodEntry {
public:
    // Start while no period is open, else end; IS_START_DATE follows.
    enum class Mode { start, end };
    static StoreResult<Mode> currentMode();

    // The local days that may be picked: from `earliest` (no limit when
    // absent) up to and including `latest`, today.
    struct Limits {
        std::optional<Date> earliest;
        Date latest;
    };
    // A start comes after the last recorded end's day; an end on or after
    // the open period's start day. Neither lies in the future.
    static StoreResult<Limits> limits(Mode mode, const Calendar& calendar, Date now);

    // `periodOpen`: a start while a period is open; `noPeriodOpen`: an end
    // while none is (another program logged one meanwhile).
    enum class Refusal { beforeEarliest, afterToday, periodOpen, noPeriodOpen };
    static std::optional<Refusal> check(const Limits& limits, Date day, const Calendar& calendar);

    struct Outcome {
        std::optional<Refusal> refusal;
        // The diary could not be read or written; nothing was stored.
        std::optional<StoreError> error;
        // The limits the pick was checked against.
        Limits limits;
        bool saved() const { return !refusal && !error; }
        // Refused because another program logged a start or an end
        // meanwhile: the diary changed all the same.
        bool changedElsewhere() const {
            return refusal == Refusal::periodOpen || refusal == Refusal::noPeriodOpen;
        }
    };
    // Stores the pick: a start opens a period (its end 0) and waits for the
    // end; an end closes the open period. `day` is the picked day's local
    // midnight. The check and the write are one transaction, so a pick that
    // another program's entry made wrong meanwhile is refused, and the flag
    // and the period row always change together.
    static Outcome save(Mode mode, Date day, const Calendar& calendar, Date now);
};

} // namespace florelle
