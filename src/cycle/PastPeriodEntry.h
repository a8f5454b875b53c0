// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Calendar.h"
#include "foundation/Date.h"
#include "storage/StoreResult.h"

#include <optional>
#include <vector>

namespace florelle {

// Adding, editing or ending a period from the period log: which entries are
// refused and what a save stores. Edits address a period by its start, so
// two periods never share a start day, and no two periods share a day: an
// open period (no end) goes on indefinitely.
class PastPeriodEntry {
public:
    // What the calendar entered: both days, only the start, or only the end.
    enum class Mode { startAndEnd = 0, startOnly = 1, endOnly = 2 };

    struct Entry {
        Date start;
        // The epoch: no end.
        Date end;
        bool isNew = true;
        // The start the edited period had; unused for a new one.
        Date oldDate;
        Mode mode = Mode::startAndEnd;
    };

    // A logged period; an end of the epoch means it is open.
    struct Period {
        Date start;
        Date end;
    };

    enum class Refusal { endBeforeStart, sameStart, overlap };

    // Every logged period, oldest first.
    static StoreResult<std::vector<Period>> loggedPeriods();

    // The entry against the other logged periods (the edited one left out),
    // by local calendar day.
    static std::optional<Refusal> check(const Entry& entry, const std::vector<Period>& periods,
                                        const Calendar& calendar);

    struct Outcome {
        std::optional<Refusal> refusal;
        // Whether the next entry from the centre button is a start (IS_START_DATE).
        bool isStartDate = true;
        // Something was stored.
        bool saved = false;
        // The diary could not be read or written; nothing was stored.
        std::optional<StoreError> error;
    };
    // Stores the entry unless refused: a new period, the edited one, or the
    // open period's end; picked days are stored as their local midnight. The
    // check and the write are one transaction, so two programs cannot both
    // pass the check.
    static Outcome save(Entry entry, const Calendar& calendar);

    // Deletes the period that starts at `start` (its stored instant).
    static StoreStatus remove(long long start);

    // The string key of the alert text that explains the refusal.
    static const char* messageKey(Refusal refusal);
};

} // namespace florelle
