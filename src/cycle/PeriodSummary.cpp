#include "PeriodSummary.h"

#include "foundation/Clock.h"
#include "storage/DatabaseController.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace florelle {

namespace {

constexpr int regularShortest = 26;
constexpr int regularLongest = 32;
// The calendar method: the window runs from (shortest − 19) to (longest − 11)
// days after a start, as the calendar marks it.
constexpr int irregularFirstOffset = 19;
constexpr int irregularLastOffset = 11;

// Every step must advance, whatever the stored setting.
int cycleOf(const PeriodSummary::Inputs& inputs) {
    return std::max(1, inputs.cycle);
}

// A stored day; an empty or damaged value reads as none.
Date stored(const std::string& seconds) {
    return Date(static_cast<double>(std::strtoll(seconds.c_str(), nullptr, 10)));
}

bool isOpen(const PeriodSummary::Period& period) {
    return period.end == Date();
}

std::vector<std::optional<int>> pastCycles(const PeriodSummary::Inputs& inputs,
                                           const Calendar& calendar) {
    std::vector<std::optional<int>> cycles;
    const auto& periods = inputs.periods;
    for (std::size_t i = 0; i < periods.size(); ++i) {
        if (i + 1 < periods.size()) {
            cycles.emplace_back(calendar.daysFrom(periods[i].start, periods[i + 1].start));
        } else {
            cycles.emplace_back(std::nullopt);
        }
    }
    return cycles;
}

struct Window {
    int first;
    int last;
};

// The irregular window's offsets from a start, from the logged cycles.
Window irregularWindow(const std::vector<std::optional<int>>& cycles, int cycle) {
    std::optional<int> shortest;
    int longest = 0;
    for (const auto& length : cycles) {
        if (length && *length != 0 && (!shortest || *length < *shortest)) {
            shortest = *length;
        }
        longest = std::max(longest, length.value_or(0));
    }
    int s = shortest.value_or(cycle - 2);
    int l = longest == 0 ? cycle + 2 : longest;
    return {s - irregularFirstOffset, l - irregularLastOffset};
}

} // namespace

StoreResult<PeriodSummary::Inputs> PeriodSummary::read() {
    auto cycle = DatabaseController::getCycle();
    auto periodLength = DatabaseController::getPeriodLength();
    auto ovulationDay = DatabaseController::getOvulationDay();
    auto starts = DatabaseController::getStartDates();
    auto ends = DatabaseController::getEndDates();
    if (auto failure = firstFailure(cycle, periodLength, ovulationDay, starts, ends)) {
        return *failure;
    }
    Inputs inputs;
    inputs.cycle = *cycle;
    inputs.periodLength = *periodLength;
    inputs.ovulationDay = *ovulationDay;
    for (std::size_t i = 0; i < starts->size(); ++i) {
        inputs.periods.push_back(
            {stored((*starts)[i]), i < ends->size() ? stored((*ends)[i]) : Date()});
    }
    inputs.now = Clock::current()->now();
    return inputs;
}

bool PeriodSummary::isRegular(int cycle) {
    return cycle >= regularShortest && cycle <= regularLongest;
}

int PeriodSummary::averagePeriodLength(const Inputs& inputs, const Calendar& calendar) {
    int sum = 0;
    int count = 0;
    for (const auto& period : inputs.periods) {
        if (!isOpen(period)) {
            sum += calendar.daysFrom(period.start, period.end) + 1;
            ++count;
        }
    }
    int average = count == 0 ? 0 : static_cast<int>(std::lround(double(sum) / count));
    return average == 0 ? inputs.periodLength : average;
}

int PeriodSummary::fertileWindowLength(const Inputs& inputs, const Calendar& calendar) {
    if (isRegular(inputs.cycle)) {
        return fertileWindowDays;
    }
    Window window = irregularWindow(pastCycles(inputs, calendar), cycleOf(inputs));
    return window.last - window.first + 1;
}

std::vector<Date> PeriodSummary::predictedStarts(const Inputs& inputs, const Calendar& calendar) {
    int cycle = cycleOf(inputs);
    Date anchor = inputs.now;
    int shift = 0;
    if (!inputs.periods.empty()) {
        Date latest = inputs.periods.back().start;
        int sinceStart = calendar.daysFrom(latest, inputs.now);
        if (sinceStart < 0) {
            anchor = latest;
            shift = 1;
        } else if (sinceStart < cycle) {
            anchor = calendar.addingDays(inputs.now, cycle - sinceStart);
        } else {
            anchor = calendar.addingDays(latest, sinceStart / cycle * cycle);
        }
    }
    std::vector<Date> starts;
    for (int j = 0; j < predictedCount; ++j) {
        starts.push_back(calendar.addingDays(anchor, (shift + j) * cycle));
    }
    return starts;
}

PeriodSummary::Rows PeriodSummary::rows(Tab tab, const Inputs& inputs, const Calendar& calendar) {
    Rows rows;
    auto cycles = pastCycles(inputs, calendar);
    auto starts = predictedStarts(inputs, calendar);
    int cycle = cycleOf(inputs);
    bool regular = isRegular(inputs.cycle);
    Window window = irregularWindow(cycles, cycle);
    auto add = [&](Date date, int days) { return calendar.addingDays(date, days); };

    for (std::size_t i = 0; i < inputs.periods.size(); ++i) {
        const Period& period = inputs.periods[i];
        Row row{{}, {}, cycles[i]};
        switch (tab) {
        case Tab::period:
            row.from = period.start;
            row.to = period.end;
            break;
        case Tab::fertile:
            if (isOpen(period)) {
                break;
            }
            if (regular) {
                row.from = add(period.end, 1);
                row.to = add(period.end, fertileWindowDays);
            } else {
                row.from = add(period.start, window.first);
                row.to = add(period.start, window.last);
            }
            break;
        case Tab::ovulation:
            row.from = add(period.start, inputs.ovulationDay);
            break;
        }
        rows.past.push_back(row);
    }

    for (std::size_t j = 0; j < starts.size(); ++j) {
        Date start = starts[j];
        Row row{{}, {}, j + 1 < starts.size() ? std::optional<int>(cycle) : std::nullopt};
        switch (tab) {
        case Tab::period:
            row.from = start;
            row.to = add(start, std::max(1, inputs.periodLength) - 1);
            break;
        case Tab::fertile:
            if (regular) {
                row.from = add(start, inputs.periodLength);
                row.to = add(row.from, fertileWindowDays - 1);
            } else {
                row.from = add(start, window.first);
                row.to = add(start, window.last);
            }
            break;
        case Tab::ovulation:
            row.from = add(start, inputs.ovulationDay);
            break;
        }
        rows.predicted.push_back(row);
    }
    return rows;
}

Date PeriodSummary::nextOvulation(const Inputs& inputs, const Calendar& calendar) {
    if (!inputs.periods.empty()) {
        Date latest = calendar.addingDays(inputs.periods.back().start, inputs.ovulationDay);
        if (calendar.daysFrom(inputs.now, latest) >= 0) {
            return latest;
        }
    }
    return calendar.addingDays(predictedStarts(inputs, calendar).front(), inputs.ovulationDay);
}

std::optional<Date> PeriodSummary::currentStart(const Inputs& inputs) {
    if (inputs.periods.empty() || !isOpen(inputs.periods.back())) {
        return std::nullopt;
    }
    return inputs.periods.back().start;
}

} // namespace florelle
