// SPDX-License-Identifier: GPL-3.0-or-later
#include "Predictions.h"

#include "cycle/CycleRules.h"
#include "foundation/Format.h"
#include "foundation/Log.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace florelle {

namespace {

using Period = Predictions::Period;

// The mark the scan for the shortest cycle starts from; still there at the
// end, none was found. So a cycle of this many days or more (years without
// a period) is never taken as the shortest.
constexpr int shortestNotFound = 1000;

Date wholeSeconds(Date date) {
    return Date(std::trunc(date.timeIntervalSince1970()));
}

// Every step must advance, whatever the stored setting.
int cycleOf(const Predictions::Inputs& inputs) {
    return std::max(1, inputs.cycle);
}

// Day steps and day counts in local calendar days of one calendar.
class LocalDays {
public:
    explicit LocalDays(const Calendar& calendar) : calendar_(calendar) {}

    // Whole 24-hour days wherever no clock change lies between (the common
    // case, and far cheaper); the calendar's own step across one.
    Date add(Date date, int days) const {
        if (days == 0) {
            return date;
        }
        Date candidate = date.addingSeconds(days * 86400.0);
        if (calendar_.secondsFromGMT(candidate) == calendar_.secondsFromGMT(date)) {
            return candidate;
        }
        return calendar_.addingDays(date, days);
    }
    int count(Date from, Date to) const { return calendar_.daysFrom(from, to); }
    Date startOfDay(Date date) const { return wholeSeconds(calendar_.startOfDay(date)); }
    Date endOfDay(Date date) const { return wholeSeconds(calendar_.endOfDay(date)); }

    // Appends first, the day after, … for as long as `keep` holds.
    template <typename Keep>
    void appendWhile(std::vector<Date>& days, Date first, Keep keep) const {
        for (int step = 0;; ++step) {
            Date day = add(first, step);
            if (!keep(day)) {
                return;
            }
            days.push_back(day);
        }
    }

private:
    const Calendar& calendar_;
};

std::string utcText(Date date) {
    Calendar utc(TimeZone("UTC"), Locale("en_US_POSIX"));
    auto p = utc.components(date);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d +0000", p.year, p.month, p.day,
                  p.hour, p.minute, p.second);
    return text;
}

// The cycles from the latest start on, where a span operation finds its
// predicted days when no logged period touches the span.
struct CyclesAhead {
    Date latest;
    int cycle;
    // The predicted days of a cycle, counted from its start.
    Predictions::Window window;
    // A cycle is looked at while this day of it lies before the span's end.
    int opening = 0;
    // The first cycle's days move by this many days.
    int firstShift = 0;
};

// Calls `add(day, whole)` for each predicted day that lies in the span and is
// not before today; `whole` says that the day's window lies inside the span.
template <typename Add>
void forEachDayAhead(const LocalDays& days, const CyclesAhead& cycles,
                     const Predictions::Span& span, Date today, Add add) {
    for (int i = 0; days.add(cycles.latest, i * cycles.cycle + cycles.opening) < span.last; ++i) {
        int offset = i * cycles.cycle + (i == 0 ? cycles.firstShift : 0);
        Date first = days.add(cycles.latest, offset + cycles.window.first);
        Date end = days.add(cycles.latest, offset + cycles.window.end);
        if (end <= span.first) {
            continue;
        }
        bool whole = first >= span.first && span.last > end;
        for (int day = cycles.window.first; day < cycles.window.end; ++day) {
            Date date = days.add(cycles.latest, offset + day);
            // Past predicted days are not shown.
            if (date >= span.first && date <= span.last && date >= today) {
                add(date, whole);
            }
        }
    }
}

} // namespace

Predictions::Span Predictions::wholeDays(Date from, Date to, const Calendar& calendar) {
    return {wholeSeconds(calendar.startOfDay(from)), wholeSeconds(calendar.endOfDay(to))};
}

Predictions::Span Predictions::instants(Date from, Date to) {
    return {wholeSeconds(from), wholeSeconds(to)};
}

bool Predictions::isRegular(int cycle) {
    return cycle >= CycleRules::regularShortest && cycle <= CycleRules::regularLongest;
}

Predictions::CycleStatistics Predictions::cycleStatistics(const Inputs& inputs,
                                                          const Calendar& calendar) {
    const auto& periods = inputs.periods;
    int shortest = shortestNotFound;
    int longest = 0;
    for (size_t i = 1; i < periods.size(); ++i) {
        int length = calendar.daysFrom(periods[i - 1].start, periods[i].start);
        if (length != 0 && length <= shortest) {
            shortest = length;
        }
        longest = std::max(longest, length);
    }
    int cycle = cycleOf(inputs);
    return {shortest == shortestNotFound ? cycle - CycleRules::assumedCycleSpread : shortest,
            longest == 0 ? cycle + CycleRules::assumedCycleSpread : longest};
}

Predictions::Window Predictions::fertileWindow(const Inputs& inputs,
                                               const CycleStatistics& statistics, int periodDays) {
    if (isRegular(inputs.cycle)) {
        return {periodDays, periodDays + CycleRules::fertileWindowDays};
    }
    return {statistics.shortest - CycleRules::irregularFirstOffset,
            statistics.longest - CycleRules::irregularEndOffset};
}

std::vector<Date> Predictions::predictedStarts(const Inputs& inputs, const Calendar& calendar) {
    LocalDays days(calendar);
    int cycle = cycleOf(inputs);
    Date anchor = inputs.now;
    int first = 0;
    if (!inputs.periods.empty()) {
        anchor = inputs.periods.back().start;
        // A latest start ahead of today truncates to no whole cycle and
        // predicts one cycle after it, as a start earlier in today's cycle does.
        first = std::max(1, days.count(anchor, inputs.now) / cycle);
    }
    std::vector<Date> starts;
    for (int j = 0; j < CycleRules::predictedCycles; ++j) {
        starts.push_back(days.add(anchor, (first + j) * cycle));
    }
    return starts;
}

int Predictions::remainingDays(const Inputs& inputs, const Calendar& calendar) {
    if (inputs.periods.empty()) {
        return 0;
    }
    int cycle = cycleOf(inputs);
    int sinceStart = calendar.daysFrom(inputs.periods.back().start, inputs.now);
    if (sinceStart <= cycle) {
        return cycle - sinceStart;
    }
    return sinceStart % cycle - cycle;
}

Date Predictions::firstCycleStepFrom(Date date, Date instant, int cycle, const Calendar& calendar) {
    LocalDays days(calendar);
    int step = std::max(1, cycle);
    // Whole cycles short of the instant are skipped at once.
    int skipped = std::max(0, days.count(date, instant) / step - 1);
    Date candidate = days.add(date, skipped * step);
    while (instant > candidate) {
        candidate = days.add(candidate, step);
    }
    return candidate;
}

std::vector<Date> Predictions::allPeriodDates(const Inputs& inputs, const Calendar& calendar) {
    LocalDays days(calendar);
    Date endOfToday = days.endOfDay(inputs.now);
    std::vector<Date> list;
    for (const auto& period : inputs.periods) {
        // The open period counts up to today, so that it is not lost.
        Date last = period.isOpen() ? endOfToday : period.end;
        days.appendWhile(list, period.start, [&](Date day) { return day <= last; });
    }
    for (Date start : predictedStarts(inputs, calendar)) {
        for (int day = 0; day < inputs.periodLength; ++day) {
            list.push_back(days.add(start, day));
        }
    }
    return list;
}

std::vector<Date> Predictions::allFertileDates(const Inputs& inputs, const Calendar& calendar) {
    LocalDays days(calendar);
    bool regular = isRegular(inputs.cycle);
    CycleStatistics statistics = cycleStatistics(inputs, calendar);
    std::vector<Date> list;
    for (const auto& period : inputs.periods) {
        if (period.isOpen()) {
            continue; // an open period has no window yet
        }
        Window window = fertileWindow(inputs, statistics, days.count(period.start, period.end) + 1);
        // A logged window's last day is counted from the period's last day.
        Date last = days.add(period.end, regular ? CycleRules::fertileWindowDays : window.end);
        days.appendWhile(list, days.add(period.start, window.first),
                         [&](Date day) { return day <= last; });
    }
    Window predicted = fertileWindow(inputs, statistics, inputs.periodLength);
    for (Date start : predictedStarts(inputs, calendar)) {
        for (int day = predicted.first; day < predicted.end; ++day) {
            list.push_back(days.add(start, day));
        }
    }
    return list;
}

std::vector<Date> Predictions::periodDates(const Inputs& inputs, const Span& span,
                                           const std::vector<Period>& inSpan,
                                           const Calendar& calendar) {
    LocalDays days(calendar);
    int cycle = cycleOf(inputs);
    std::vector<Period> periods = inSpan;
    std::vector<Date> list;
    // An open period that began before the span reaches into it.
    if (!inputs.periods.empty() && inputs.periods.back().isOpen() &&
        inputs.periods.back().start < span.first) {
        periods.insert(periods.begin(), inputs.periods.back());
    }
    if (!periods.empty()) {
        for (const auto& period : periods) {
            Date first = std::max(period.start, span.first);
            // The open period runs up to today; the periods logged before it
            // in the span keep their days.
            if (period.isOpen()) {
                days.appendWhile(list, first, [&](Date day) { return day <= inputs.now; });
                continue;
            }
            Date nextStart = days.add(period.start, cycle);
            bool addNext = periods.size() == 1 && span.last > inputs.now && nextStart < span.last;
            Date last = std::min(period.end, span.last);
            days.appendWhile(list, first, [&](Date day) { return day <= last; });
            if (addNext) {
                for (int day = 0; day < inputs.periodLength; ++day) {
                    Date next = days.add(nextStart, day);
                    if (next > span.last) {
                        break;
                    }
                    list.push_back(next);
                }
            }
        }
        return list;
    }
    if (inputs.periods.empty()) {
        return list;
    }
    CyclesAhead cycles{inputs.periods.back().start, cycle, {0, inputs.periodLength}};
    forEachDayAhead(days, cycles, span, days.startOfDay(inputs.now), [&](Date day, bool whole) {
        if (whole) {
            Log::write(format("%@", utcText(day)));
        }
        list.push_back(day);
    });
    return list;
}

std::vector<Date> Predictions::fertileDates(const Inputs& inputs, const Span& span,
                                            const std::vector<Period>& inSpan,
                                            const Calendar& calendar) {
    LocalDays days(calendar);
    int cycle = cycleOf(inputs);
    bool regular = isRegular(inputs.cycle);
    Window predicted =
        fertileWindow(inputs, cycleStatistics(inputs, calendar), inputs.periodLength);
    std::vector<Date> list;
    auto appendBefore = [&](Date firstDay, Date bound) {
        days.appendWhile(list, firstDay, [&](Date day) { return day < span.last && day < bound; });
    };
    auto appendWindow = [&](Date cycleStart) {
        appendBefore(days.add(cycleStart, predicted.first), days.add(cycleStart, predicted.end));
    };
    if (!inSpan.empty()) {
        for (const auto& period : inSpan) {
            if (period.isOpen()) {
                return list;
            }
            bool addNext = inSpan.size() == 1 && span.last > inputs.now &&
                           days.add(period.start, cycle) < span.last;
            if (regular) {
                // The days after the period as it was logged.
                appendBefore(days.add(period.end, 1),
                             days.add(period.end, CycleRules::fertileWindowDays + 1));
            } else {
                appendWindow(period.start);
            }
            if (addNext) {
                // The window one cycle after the current one.
                appendWindow(days.add(period.start, cycle));
            }
        }
        return list;
    }
    if (inputs.periods.empty()) {
        return list;
    }
    const Period& latest = inputs.periods.back();
    CyclesAhead cycles{latest.start, cycle, predicted};
    // A cycle is looked at while its window opens before the span's end
    // (regular), or while the cycle itself begins before it (irregular).
    cycles.opening = regular ? predicted.first : 0;
    // The current cycle's window moves with the latest period's real length.
    if (!latest.isOpen()) {
        cycles.firstShift = days.count(latest.start, latest.end) + 1 - inputs.periodLength;
    }
    forEachDayAhead(days, cycles, span, days.startOfDay(inputs.now),
                    [&](Date day, bool) { list.push_back(day); });
    return list;
}

std::vector<Date> Predictions::ovulationDates(const Inputs& inputs, const Span& span,
                                              const std::vector<Period>& inSpan,
                                              const Calendar& calendar) {
    LocalDays days(calendar);
    int cycle = cycleOf(inputs);
    std::vector<Date> list;
    if (!inSpan.empty()) {
        for (const auto& period : inSpan) {
            Date ovulation = days.add(period.start, inputs.ovulationDay);
            list.push_back(ovulation);
            if (inSpan.size() == 1) {
                Date next = days.add(ovulation, cycle);
                list.push_back(span.last > inputs.now && next < span.last ? next : ovulation);
            }
        }
        return list;
    }
    if (inputs.periods.empty()) {
        return list;
    }
    CyclesAhead cycles{
        inputs.periods.back().start, cycle, {inputs.ovulationDay, inputs.ovulationDay + 1}};
    forEachDayAhead(days, cycles, span, days.startOfDay(inputs.now),
                    [&](Date day, bool) { list.push_back(day); });
    return list;
}

} // namespace florelle
