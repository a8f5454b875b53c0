// SPDX-License-Identifier: GPL-3.0-or-later
#include "PastPeriodEntry.h"

#include "cycle/PeriodEntry.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr Date noEnd;

long long wholeSeconds(Date date) {
    return static_cast<long long>(date.timeIntervalSince1970());
}

// IS_START_DATE follows the latest period, whichever change made it open or
// closed; the window and the command line read the next entry's kind there.
StoreResult<bool> followLatestPeriod() {
    auto mode = PeriodEntry::currentMode();
    if (!mode) {
        return mode.error();
    }
    bool isStart = *mode == PeriodEntry::Mode::start;
    if (auto saved = DatabaseController::saveIsStartDate(isStart ? 1 : 0); !saved) {
        return saved.error();
    }
    return isStart;
}

// Picks arrive as local midnights; defaults carry the time they were made at.
Date dayOf(Date date, const Calendar& calendar) {
    return date == noEnd ? noEnd : calendar.startOfDay(date);
}

} // namespace

StoreResult<std::vector<PastPeriodEntry::Period>> PastPeriodEntry::loggedPeriods() {
    auto rows = DatabaseController::getAllPeriods();
    if (!rows) {
        return rows.error();
    }
    std::vector<Period> periods;
    for (const Row& row : *rows) {
        periods.push_back({Date(row.real("startDate")), Date(row.real("endDate"))});
    }
    return periods;
}

std::optional<PastPeriodEntry::Refusal> PastPeriodEntry::check(const Entry& entry,
                                                               const std::vector<Period>& periods,
                                                               const Calendar& calendar) {
    if (entry.end != noEnd && calendar.daysFrom(entry.start, entry.end) < 0) {
        return Refusal::endBeforeStart;
    }
    std::vector<Period> others;
    std::copy_if(
        periods.begin(), periods.end(), std::back_inserter(others), [&](const Period& period) {
            return entry.isNew || wholeSeconds(period.start) != wholeSeconds(entry.oldDate);
        });
    for (const Period& other : others) {
        if (calendar.daysFrom(other.start, entry.start) == 0) {
            return Refusal::sameStart;
        }
    }
    for (const Period& other : others) {
        bool startsBeforeOtherEnds =
            other.end == noEnd || calendar.daysFrom(entry.start, other.end) >= 0;
        bool otherStartsBeforeEnd =
            entry.end == noEnd || calendar.daysFrom(other.start, entry.end) >= 0;
        if (startsBeforeOtherEnds && otherStartsBeforeEnd) {
            return Refusal::overlap;
        }
    }
    return std::nullopt;
}

PastPeriodEntry::Outcome PastPeriodEntry::save(Entry entry, const Calendar& calendar) {
    Outcome outcome;
    auto failed = [&](const StoreError& error) {
        SQLiteAccess::reportWriteFailure(error);
        outcome.error = error;
        outcome.saved = false;
        return outcome;
    };
    auto transaction = Transaction::begin();
    if (!transaction) {
        return failed(transaction.error());
    }
    auto mode = PeriodEntry::currentMode();
    auto logged = loggedPeriods();
    if (!mode || !logged) {
        return failed(mode ? logged.error() : mode.error());
    }
    const std::vector<Period>& periods = *logged;
    outcome.isStartDate = *mode == PeriodEntry::Mode::start;
    entry.start = dayOf(entry.start, calendar);
    entry.end = dayOf(entry.end, calendar);

    StoreStatus written;
    if (entry.mode == Mode::endOnly && !outcome.isStartDate) {
        if (entry.end == noEnd) {
            return outcome;
        }
        // The end closes the open period, whatever start the caller showed.
        auto open = std::find_if(periods.rbegin(), periods.rend(),
                                 [](const Period& period) { return period.end == noEnd; });
        if (open != periods.rend()) {
            entry.start = open->start;
            entry.oldDate = open->start;
            entry.isNew = false;
        }
        if ((outcome.refusal = check(entry, periods, calendar))) {
            return outcome;
        }
        written = DatabaseController::saveIsStartDate(1);
        if (written) {
            written = DatabaseController::saveEndPeriod(entry.end);
        }
        outcome.isStartDate = true;
    } else {
        if ((outcome.refusal = check(entry, periods, calendar))) {
            return outcome;
        }
        written = entry.isNew ? DatabaseController::saveLog(entry.start, entry.end)
                              : DatabaseController::updatePeriodWithStartDate(
                                    entry.start, entry.end, entry.oldDate);
        if (written) {
            auto isStart = followLatestPeriod();
            written = StoreStatus::of(isStart);
            outcome.isStartDate = isStart.value_or(true);
        }
    }
    if (written) {
        written = transaction.value().commit();
    }
    if (!written) {
        return failed(written.error());
    }
    outcome.saved = true;
    return outcome;
}

StoreStatus PastPeriodEntry::remove(long long start) {
    auto transaction = Transaction::begin();
    StoreStatus done = StoreStatus::of(transaction);
    if (done) {
        done = DatabaseController::deletePeriodWithStartDate(start);
    }
    if (done) {
        done = StoreStatus::of(followLatestPeriod());
    }
    if (done) {
        done = transaction.value().commit();
    }
    if (!done) {
        SQLiteAccess::reportWriteFailure(done.error());
    }
    return done;
}

const char* PastPeriodEntry::messageKey(Refusal refusal) {
    switch (refusal) {
    case Refusal::endBeforeStart:
        return "Period ends before it starts Key";
    case Refusal::sameStart:
        return "Period starts with another Key";
    case Refusal::overlap:
        return "Period overlaps another Key";
    }
    return "Period overlaps another Key";
}

} // namespace florelle
