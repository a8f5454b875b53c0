// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodEntry.h"

#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

namespace florelle {

StoreResult<PeriodEntry::Mode> PeriodEntry::currentMode() {
    // The periods decide, not the flag: a diary whose flag was torn from its
    // rows by an older release would otherwise refuse both a start and an
    // end. Every save writes the flag to match.
    auto start = DatabaseController::getLatestStartDay();
    auto end = DatabaseController::getLatestEndDay();
    if (!start || !end) {
        return start ? end.error() : start.error();
    }
    return *start != 0 && *end == 0 ? Mode::end : Mode::start;
}

StoreResult<PeriodEntry::Limits> PeriodEntry::limits(Mode mode, const Calendar& calendar,
                                                     Date now) {
    Limits limits{std::nullopt, calendar.startOfDay(now)};
    auto latest = mode == Mode::start ? DatabaseController::getLatestEndDay()
                                      : DatabaseController::getLatestStartDay();
    if (!latest) {
        return latest.error();
    }
    if (*latest != 0) {
        Date day(static_cast<double>(*latest));
        limits.earliest =
            calendar.startOfDay(mode == Mode::start ? calendar.addingDays(day, 1) : day);
    }
    return limits;
}

std::optional<PeriodEntry::Refusal> PeriodEntry::check(const Limits& limits, Date day,
                                                       const Calendar& calendar) {
    if (limits.earliest && calendar.daysFrom(*limits.earliest, day) < 0) {
        return Refusal::beforeEarliest;
    }
    if (calendar.daysFrom(limits.latest, day) > 0) {
        return Refusal::afterToday;
    }
    return std::nullopt;
}

PeriodEntry::Outcome PeriodEntry::save(Mode mode, Date day, const Calendar& calendar, Date now) {
    Outcome outcome{std::nullopt, std::nullopt, {std::nullopt, calendar.startOfDay(now)}};
    auto failed = [&](const StoreError& error) {
        SQLiteAccess::reportWriteFailure(error);
        outcome.error = error;
        return outcome;
    };
    auto transaction = Transaction::begin();
    if (!transaction) {
        return failed(transaction.error());
    }
    auto current = currentMode();
    if (!current) {
        return failed(current.error());
    }
    if (*current != mode) {
        outcome.refusal = mode == Mode::start ? Refusal::periodOpen : Refusal::noPeriodOpen;
        return outcome;
    }
    auto allowed = limits(mode, calendar, now);
    if (!allowed) {
        return failed(allowed.error());
    }
    outcome.limits = *allowed;
    if ((outcome.refusal = check(*allowed, day, calendar))) {
        return outcome;
    }
    Date midnight = calendar.startOfDay(day);
    StoreStatus written = DatabaseController::saveIsStartDate(mode == Mode::start ? 0 : 1);
    if (written) {
        written = mode == Mode::start ? DatabaseController::saveStartPeriod(midnight)
                                      : DatabaseController::saveEndPeriod(midnight);
    }
    if (written) {
        written = transaction.value().commit();
    }
    if (!written) {
        return failed(written.error());
    }
    return outcome;
}

} // namespace florelle
