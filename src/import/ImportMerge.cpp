// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ImportMerge.h"

#include "cycle/DailyLogCatalogue.h"
#include "cycle/DailyLogEntry.h"
#include "cycle/PastPeriodEntry.h"
#include "import/ImportDays.h"
#include "storage/BodyUnits.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

#include <algorithm>

namespace florelle {

namespace {

using Change = DailyLogEntry::Change;

struct DayChange {
    Date day;
    Change change;
};

// What the plan asks of the diary as it is.
struct Decision {
    ImportMerge::Outcome outcome;
    std::vector<DayChange> days;
};

bool contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool holdsSymptomRow(const std::vector<int>& held, int symptom) {
    return std::any_of(held.begin(), held.end(), [&](int id) {
        return DailyLogCatalogue::firstOfRow(id) == DailyLogCatalogue::firstOfRow(symptom);
    });
}

// Whether the period shares a day with a logged one or lies right beside it.
bool meetsLogged(const ImportedPeriod& period, const std::vector<PastPeriodEntry::Period>& logged,
                 const Calendar& calendar) {
    constexpr std::chrono::days beside{1};
    return std::any_of(logged.begin(), logged.end(), [&](const PastPeriodEntry::Period& other) {
        ImportDay first = ImportDays::dayOf(other.start, calendar);
        bool open = other.end == Date();
        ImportDay last = open ? ImportDay::max() : ImportDays::dayOf(other.end, calendar);
        return period.first <= last + (open ? std::chrono::days(0) : beside) &&
               first <= period.last + beside;
    });
}

// Only what the day lacks: its own note and values stay.
std::optional<Change> changeFor(const ImportedDay& imported, const DailyLogEntry::Day& before,
                                bool metric, int& notesKept) {
    Change change;
    for (int mood : imported.moods) {
        if (!contains(before.moods, mood)) {
            change.moodsChosen.push_back(mood);
        }
    }
    for (int symptom : imported.symptoms) {
        if (!holdsSymptomRow(before.symptoms, symptom)) {
            change.symptomsChosen.push_back(symptom);
        }
    }
    if (imported.celsius && before.temperature == 0) {
        change.temperature = BodyUnits::shownTemperature(*imported.celsius, metric);
    }
    if (imported.intimate && !before.intimate) {
        change.intimate = true;
    }
    if (!imported.note.empty() && before.note.empty()) {
        change.note = imported.note;
    } else if (!imported.note.empty() && before.note != imported.note) {
        ++notesKept;
    }
    bool any = !change.moodsChosen.empty() || !change.symptomsChosen.empty() ||
               change.temperature || change.intimate || change.note;
    return any ? std::optional(change) : std::nullopt;
}

StoreResult<Decision> decide(const ImportPlan& plan, const Calendar& calendar, Date now) {
    auto logged = PastPeriodEntry::loggedPeriods();
    auto units = DatabaseController::getSi();
    if (auto failure = firstFailure(logged, units)) {
        return *failure;
    }
    ImportDay today = ImportDays::dayOf(now, calendar);
    Decision decision;
    auto& outcome = decision.outcome;
    for (const ImportedPeriod& period : plan.periods) {
        if (period.last > today) {
            outcome.skipped.push_back({period, ImportMerge::SkipReason::afterToday});
        } else if (meetsLogged(period, *logged, calendar)) {
            outcome.skipped.push_back({period, ImportMerge::SkipReason::meetsLoggedPeriod});
        } else {
            outcome.added.push_back(period);
        }
    }
    for (const ImportedDay& imported : plan.days) {
        if (imported.day > today) {
            continue;
        }
        Date day = ImportDays::localMidnight(imported.day, calendar);
        auto before = DailyLogEntry::read(day);
        if (!before) {
            return before.error();
        }
        if (auto change = changeFor(imported, *before, *units != 0, outcome.notesKept)) {
            decision.days.push_back({day, *change});
        }
    }
    outcome.daysChanged = static_cast<int>(decision.days.size());
    return decision;
}

// A failed read of a preview, or a write that reported its own failure.
ImportMerge::Outcome failedWithin(const StoreError& error) {
    ImportMerge::Outcome outcome;
    outcome.error = error;
    return outcome;
}

ImportMerge::Outcome failed(const StoreError& error) {
    SQLiteAccess::reportWriteFailure(error);
    ImportMerge::Outcome outcome;
    outcome.error = error;
    return outcome;
}

} // namespace

ImportMerge::Outcome ImportMerge::preview(const ImportPlan& plan, const Calendar& calendar,
                                          Date now) {
    auto decision = decide(plan, calendar, now);
    return decision ? decision->outcome : failedWithin(decision.error());
}

ImportMerge::Outcome ImportMerge::apply(const ImportPlan& plan, const Calendar& calendar,
                                        Date now) {
    auto transaction = Transaction::begin();
    if (!transaction) {
        return failed(transaction.error());
    }
    auto decision = decide(plan, calendar, now);
    if (!decision) {
        return failed(decision.error());
    }
    Outcome outcome = decision->outcome;
    outcome.added.clear();
    for (const ImportedPeriod& period : decision->outcome.added) {
        PastPeriodEntry::Entry entry;
        entry.start = ImportDays::localMidnight(period.first, calendar);
        entry.end = ImportDays::localMidnight(period.last, calendar);
        auto saved = PastPeriodEntry::save(entry, calendar);
        if (saved.error) {
            return failedWithin(*saved.error);
        }
        // The diary's own rule has the last word: a period it refuses is told
        // as skipped, never as added.
        if (saved.refusal) {
            outcome.skipped.push_back({period, SkipReason::meetsLoggedPeriod});
        } else {
            outcome.added.push_back(period);
        }
    }
    for (const DayChange& day : decision->days) {
        if (auto applied = DailyLogEntry::apply(day.day, day.change, now); !applied.ok()) {
            return failedWithin(applied.error());
        }
    }
    if (StoreStatus committed = transaction.value().commit(); !committed) {
        return failed(committed.error());
    }
    return outcome;
}

const char* ImportMerge::reasonText(SkipReason reason) {
    switch (reason) {
    case SkipReason::meetsLoggedPeriod:
        return "overlaps or touches a logged period";
    case SkipReason::afterToday:
        break;
    }
    return "lies after today";
}

} // namespace florelle
