// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryTimeZone.h"

#include "foundation/Calendar.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

#include <cmath>
#include <utility>
#include <vector>

namespace florelle {

namespace {

DateComponents dayOnly(const DateComponents& components) {
    return {.year = components.year, .month = components.month, .day = components.day};
}

long long secondsOf(Date date) {
    return std::llround(date.timeIntervalSince1970());
}

// Local midnight in `to` of the date that `stored` has in `from`; 0 (an open
// period's end) stays 0.
long long movedMidnight(long long stored, const Calendar& from, const Calendar& to) {
    if (stored == 0) {
        return 0;
    }
    DateComponents date = dayOnly(from.components(Date(static_cast<double>(stored))));
    return secondsOf(to.startOfDay(to.dateFromComponents(date)));
}

// The local date whose key in `calendar`'s zone is `key`: the key's own UTC
// date east of UTC, the date before it west of UTC.
DateComponents dateOfKey(long long key, const Calendar& calendar, const Calendar& utc) {
    Date keyDate(static_cast<double>(key));
    DateComponents sameDate = utc.components(keyDate);
    DateComponents dateBefore = utc.components(keyDate.addingSeconds(-86400));
    for (const DateComponents& candidate : {sameDate, dateBefore}) {
        Date midnight = calendar.dateFromComponents(dayOnly(candidate));
        if (DatabaseController::dayKeyForDate(midnight, calendar) == key) {
            return dayOnly(candidate);
        }
    }
    return dayOnly(sameDate);
}

StoreResult<int> movePeriods(const Calendar& from, const Calendar& to) {
    auto rows = SQLiteAccess::selectManyRowsWithSQL("SELECT id, startDate, endDate FROM periods");
    if (!rows) {
        return rows.error();
    }
    int moved = 0;
    for (const Row& row : *rows) {
        long long start = row.integer("startDate");
        long long end = row.integer("endDate");
        long long newStart = movedMidnight(start, from, to);
        long long newEnd = movedMidnight(end, from, to);
        if (newStart == start && newEnd == end) {
            continue;
        }
        if (auto saved =
                SQLiteAccess::updateWithSQL("UPDATE periods SET startDate = ?, endDate = ? "
                                            "WHERE id = ?",
                                            {newStart, newEnd, row.integer("id")});
            !saved) {
            return saved.error();
        }
        ++moved;
    }
    return moved;
}

// Every key is first parked at a value no day key takes (-1 - key is never a
// multiple of 86400) and then set to its new value, so that no two days
// share a key at any step, even where one day takes the key another leaves.
StoreResult<int> moveDays(const Calendar& from, const Calendar& to) {
    auto rows = SQLiteAccess::selectManyRowsWithSQL("SELECT id, date FROM dates");
    if (!rows) {
        return rows.error();
    }
    Calendar utc(TimeZone("UTC"));
    std::vector<std::pair<long long, long long>> moves;
    for (const Row& row : *rows) {
        long long key = row.integer("date");
        long long newKey =
            DatabaseController::dayKeyForDate(to.dateFromComponents(dateOfKey(key, from, utc)), to);
        if (newKey != key) {
            moves.emplace_back(row.integer("id"), newKey);
        }
    }
    for (const auto& [id, newKey] : moves) {
        if (auto parked =
                SQLiteAccess::updateWithSQL("UPDATE dates SET date = -1 - date WHERE id = ?", {id});
            !parked) {
            return parked.error();
        }
    }
    for (const auto& [id, newKey] : moves) {
        if (auto saved =
                SQLiteAccess::updateWithSQL("UPDATE dates SET date = ? WHERE id = ?", {newKey, id});
            !saved) {
            return saved.error();
        }
    }
    return static_cast<int>(moves.size());
}

StoreResult<std::optional<DiaryTimeZone::Reanchoring>> reanchor(const std::string& from,
                                                                const TimeZone& to) {
    Calendar fromCalendar{TimeZone(from)};
    Calendar toCalendar(to);
    auto periods = movePeriods(fromCalendar, toCalendar);
    if (!periods) {
        return periods.error();
    }
    auto days = moveDays(fromCalendar, toCalendar);
    if (!days) {
        return days.error();
    }
    return std::optional<DiaryTimeZone::Reanchoring>(
        DiaryTimeZone::Reanchoring{from, to.identifier(), *periods, *days});
}

} // namespace

StoreResult<std::optional<std::string>> DiaryTimeZone::stored() {
    auto value = DatabaseController::textSetting(settingName);
    if (!value) {
        return value.error();
    }
    if (!*value || (*value)->empty()) {
        return std::optional<std::string>();
    }
    return std::optional<std::string>(**value);
}

StoreResult<std::optional<DiaryTimeZone::Reanchoring>> DiaryTimeZone::follow(const TimeZone& zone) {
    using Outcome = StoreResult<std::optional<Reanchoring>>;
    // Most of the time there is nothing to do, and a look needs no lock.
    if (auto seen = stored(); !seen || *seen == zone.identifier()) {
        return seen ? Outcome(std::nullopt) : Outcome(seen.error());
    }
    auto transaction = Transaction::begin();
    if (!transaction) {
        SQLiteAccess::reportWriteFailure(transaction.error());
        return transaction.error();
    }
    // Another program may have done it while this one waited for the lock.
    auto current = stored();
    if (!current || *current == zone.identifier()) {
        return current ? Outcome(std::nullopt) : Outcome(current.error());
    }
    Outcome done = *current ? reanchor(**current, zone) : Outcome(std::nullopt);
    if (!done.ok()) {
        SQLiteAccess::reportWriteFailure(done.error());
        return done;
    }
    if (auto saved = DatabaseController::saveTextSetting(settingName, zone.identifier()); !saved) {
        SQLiteAccess::reportWriteFailure(saved.error());
        return saved.error();
    }
    if (auto committed = transaction.value().commit(); !committed) {
        return committed.error();
    }
    if (*done) {
        Log::write(
            format("Diary days re-anchored from %@ to %@ (periods moved: %d, days moved: %d)",
                   (*done)->from, (*done)->to, (*done)->periods, (*done)->days));
    } else {
        Log::write(format("Diary days are kept in time zone %@", zone.identifier()));
    }
    return done;
}

} // namespace florelle
