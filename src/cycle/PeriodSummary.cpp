// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodSummary.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

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

} // namespace

int PeriodSummary::averagePeriodLength(const Inputs& inputs, const Calendar& calendar) {
    int sum = 0;
    int count = 0;
    for (const auto& period : inputs.periods) {
        if (!period.isOpen()) {
            sum += calendar.daysFrom(period.start, period.end) + 1;
            ++count;
        }
    }
    int average = count == 0 ? 0 : static_cast<int>(std::lround(double(sum) / count));
    return average == 0 ? inputs.periodLength : average;
}

int PeriodSummary::fertileWindowLength(const Inputs& inputs, const Calendar& calendar) {
    auto window = Predictions::fertileWindow(inputs, Predictions::cycleStatistics(inputs, calendar),
                                             inputs.periodLength);
    return window.end - window.first;
}

PeriodSummary::Rows PeriodSummary::rows(Tab tab, const Inputs& inputs, const Calendar& calendar) {
    Rows rows;
    auto cycles = pastCycles(inputs, calendar);
    auto starts = Predictions::predictedStarts(inputs, calendar);
    auto statistics = Predictions::cycleStatistics(inputs, calendar);
    auto add = [&](Date date, int days) { return calendar.addingDays(date, days); };
    // The fertile window of the cycle from `start`, both end days shown.
    auto setFertile = [&](Row& row, Date start, int periodDays) {
        auto window = Predictions::fertileWindow(inputs, statistics, periodDays);
        row.from = add(start, window.first);
        row.to = add(start, window.end - 1);
    };

    for (std::size_t i = 0; i < inputs.periods.size(); ++i) {
        const Period& period = inputs.periods[i];
        Row row{{}, {}, cycles[i]};
        switch (tab) {
        case Tab::period:
            row.from = period.start;
            row.to = period.end;
            break;
        case Tab::fertile:
            if (!period.isOpen()) {
                setFertile(row, period.start, calendar.daysFrom(period.start, period.end) + 1);
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
        Row row{{}, {}, std::nullopt};
        if (j + 1 < starts.size()) {
            row.cycleLength = calendar.daysFrom(start, starts[j + 1]);
        }
        switch (tab) {
        case Tab::period:
            row.from = start;
            row.to = add(start, std::max(1, inputs.periodLength) - 1);
            break;
        case Tab::fertile:
            setFertile(row, start, inputs.periodLength);
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
    return calendar.addingDays(Predictions::predictedStarts(inputs, calendar).front(),
                               inputs.ovulationDay);
}

std::optional<Date> PeriodSummary::currentStart(const Inputs& inputs) {
    if (inputs.periods.empty() || !inputs.periods.back().isOpen()) {
        return std::nullopt;
    }
    return inputs.periods.back().start;
}

} // namespace florelle
