// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle/DailyLogEntry.h"

#include "cycle/BodyMeasure.h"
#include "cycle/DailyLogCatalogue.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/Transaction.h"

#include <algorithm>
#include <functional>

namespace florelle {

namespace {

using DC = DatabaseController;
using Day = DailyLogEntry::Day;
using Change = DailyLogEntry::Change;

std::vector<int> idsOf(const std::vector<Row>& rows) {
    std::vector<int> ids;
    for (const Row& row : rows) {
        ids.push_back(static_cast<int>(row.integer("id")));
    }
    return ids;
}

bool contains(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// A value that reads as none (below a kilogram, a temperature no one lives
// with) is 0.
double measured(BodyMeasure::Kind kind, bool metric, double value) {
    return BodyMeasure(kind, metric).isNone(value) ? 0 : value;
}

StoreResult<Day> readOpened(int dateId) {
    auto units = DC::getSi();
    auto note = DC::getNoteForDateId(dateId);
    auto intimate = DC::getIntimateForDate(dateId);
    auto moods = DC::getMoodsForDateId(dateId);
    auto symptoms = DC::getSymptomsForDateId(dateId);
    auto weight = DC::getWeightForDateId(dateId);
    auto temperature = DC::getTemperatureForDateId(dateId);
    if (auto failure = firstFailure(units, note, intimate, moods, symptoms, weight, temperature)) {
        return *failure;
    }
    bool metric = *units != 0;
    return Day{note->value_or(""),
               intimate.value(),
               idsOf(*moods),
               idsOf(*symptoms),
               measured(BodyMeasure::Kind::weight, metric, *weight),
               measured(BodyMeasure::Kind::temperature, metric, *temperature)};
}

// One write to the day, given its id.
using Write = std::function<StoreStatus(int dateId)>;

// The writes that take one kind of chosen items (moods or symptoms) from
// `held` to what the change asks; `replaced` gives the items that one
// chosen item replaces besides itself.
void planItems(std::vector<int> held, bool clear, const std::vector<int>& takenAway,
               const std::vector<int>& chosen, StoreStatus (*add)(int, int),
               StoreStatus (*remove)(int, int),
               const std::function<std::vector<int>(int)>& replaced, std::vector<Write>& plan) {
    auto removeHeld = [&](int id) {
        if (auto found = std::find(held.begin(), held.end(), id); found != held.end()) {
            held.erase(found);
            plan.push_back([remove, id](int dateId) { return remove(id, dateId); });
        }
    };
    for (int id : clear ? std::vector<int>(held) : takenAway) {
        removeHeld(id);
    }
    for (int id : chosen) {
        for (int other : replaced(id)) {
            if (other != id) {
                removeHeld(other);
            }
        }
        if (!contains(held, id)) {
            held.push_back(id);
            plan.push_back([add, id](int dateId) { return add(id, dateId); });
        }
    }
}

void planMeasure(std::optional<double> wanted, double held, StoreStatus (*save)(double, int),
                 std::vector<Write>& plan) {
    // Saving what reads the same again would only round the stored metric value.
    if (wanted && BodyMeasure::roundToTenths(*wanted) != BodyMeasure::roundToTenths(held)) {
        plan.push_back([save, value = *wanted](int dateId) { return save(value, dateId); });
    }
}

std::vector<int> justItself(int id) {
    return {id};
}

// A symptom is felt at one intensity at a time.
std::vector<int> symptomRow(int id) {
    std::vector<int> row;
    for (int level = 0; level < DailyLogCatalogue::levels; ++level) {
        row.push_back(DailyLogCatalogue::firstOfRow(id) + level);
    }
    return row;
}

// Every write the change asks of the day; none for what it holds already.
std::vector<Write> plan(const Day& before, const Change& change, Date now) {
    std::vector<Write> writes;
    if (change.note && *change.note != before.note) {
        writes.push_back(
            [text = *change.note, now](int dateId) { return DC::saveNote(text, dateId, now); });
    }
    if (change.intimate && *change.intimate != before.intimate) {
        writes.push_back([value = *change.intimate ? 1 : 0](int dateId) {
            return DC::saveIntimate(value, dateId);
        });
    }
    planItems(before.moods, change.clearMoods, change.moodsTakenAway, change.moodsChosen,
              DC::saveUsedMood, DC::deleteUsedMood, justItself, writes);
    planItems(before.symptoms, change.clearSymptoms, change.symptomsTakenAway,
              change.symptomsChosen, DC::saveUsedSymptom, DC::deleteUsedSymptom, symptomRow,
              writes);
    planMeasure(change.weight, before.weight, DC::saveWeight, writes);
    planMeasure(change.temperature, before.temperature, DC::saveTemperature, writes);
    return writes;
}

StoreError failedWrite(const StoreError& error) {
    SQLiteAccess::reportWriteFailure(error);
    return error;
}

// One transaction around `writes`, committed when they wrote anything.
StoreResult<bool> inTransaction(const std::function<StoreResult<bool>()>& writes) {
    auto transaction = Transaction::begin();
    if (!transaction) {
        return failedWrite(transaction.error());
    }
    auto wrote = writes();
    if (!wrote.ok() || !wrote.value()) {
        return wrote;
    }
    if (StoreStatus committed = transaction.value().commit(); !committed) {
        return committed.error();
    }
    return true;
}

// The day as it is now, the change `decide` asks of it and its writes. A day
// is opened only for a change it needs, so a change that asks for nothing new
// leaves the diary as it was.
StoreResult<bool> changeDay(Date day, Date now, const std::function<Change(const Day&)>& decide) {
    return inTransaction([&]() -> StoreResult<bool> {
        auto before = DailyLogEntry::read(day);
        if (!before) {
            return failedWrite(before.error());
        }
        std::vector<Write> writes = plan(*before, decide(*before), now);
        if (writes.empty()) {
            return false;
        }
        auto dateId = DailyLogEntry::open(day);
        if (!dateId) {
            return failedWrite(dateId.error());
        }
        for (const Write& write : writes) {
            if (StoreStatus written = write(*dateId); !written) {
                return failedWrite(written.error());
            }
        }
        return true;
    });
}

} // namespace

StoreResult<Day> DailyLogEntry::read(Date day) {
    auto dateId = DC::getDateIdForDate(day);
    if (!dateId) {
        return dateId.error();
    }
    if (*dateId == 0) {
        return Day{};
    }
    return readOpened(*dateId);
}

StoreResult<int> DailyLogEntry::open(Date day) {
    return DC::openDay(day);
}

StoreResult<bool> DailyLogEntry::apply(Date day, const Change& change, Date now) {
    return changeDay(day, now, [&](const Day&) { return change; });
}

StoreResult<bool> DailyLogEntry::saveNote(Date day, const std::string& note, Date now) {
    return inTransaction([&]() -> StoreResult<bool> {
        auto dateId = DC::getDateIdForDate(day);
        if (!dateId) {
            return failedWrite(dateId.error());
        }
        // A day never opened holds no note.
        std::string stored;
        if (*dateId != 0) {
            auto held = DC::getNoteForDateId(*dateId);
            if (!held) {
                return failedWrite(held.error());
            }
            stored = held->value_or("");
        }
        if (note == stored) {
            return false;
        }
        if (*dateId == 0) {
            if (dateId = DailyLogEntry::open(day); !dateId) {
                return failedWrite(dateId.error());
            }
        }
        if (StoreStatus saved = DC::saveNote(note, *dateId, now); !saved) {
            return failedWrite(saved.error());
        }
        return true;
    });
}

StoreResult<bool> DailyLogEntry::toggle(Date day, Item item, int id) {
    return changeDay(day, Date(), [&](const Day& before) {
        Change change;
        switch (item) {
        case Item::mood:
            (contains(before.moods, id) ? change.moodsTakenAway : change.moodsChosen).push_back(id);
            break;
        case Item::symptom:
            (contains(before.symptoms, id) ? change.symptomsTakenAway : change.symptomsChosen)
                .push_back(id);
            break;
        case Item::intimacy:
            change.intimate = !before.intimate;
            break;
        }
        return change;
    });
}

} // namespace florelle
