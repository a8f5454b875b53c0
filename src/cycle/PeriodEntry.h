#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"

#include <optional>

namespace florelle {

// Entering a period's first or last day, as the centre button does: which
// days may be picked and what a pick stores. Every way of logging a period
// (the start/end calendar, the command line) goes through here.
class PeriodEntry {
public:
    // Start while no period is open (IS_START_DATE is 1), else end.
    enum class Mode { start, end };
    static Mode currentMode();

    // The local days that may be picked: from `earliest` (no limit when
    // absent) up to and including `latest`, today.
    struct Limits {
        std::optional<Date> earliest;
        Date latest;
    };
    // A start comes after the last recorded end's day; an end on or after
    // the open period's start day. Neither lies in the future.
    static Limits limits(Mode mode, const Calendar& calendar, Date now);

    enum class Refusal { beforeEarliest, afterToday };
    static std::optional<Refusal> check(const Limits& limits, Date day, const Calendar& calendar);

    // Stores the pick: a start opens a period (its end 0) and waits for the
    // end; an end closes the open period. `day` is the picked day's local
    // midnight. Nothing is stored for a day the limits refuse.
    static std::optional<Refusal> save(Mode mode, Date day, const Calendar& calendar, Date now);
};

} // namespace florelle
