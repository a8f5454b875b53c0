#include "DatabaseController.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/SQLiteAccess.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace florelle {

namespace {

constexpr int fertileWindowDays = 11;
constexpr int predictedCycles = 12;
constexpr int regularShortest = 26;
constexpr int regularLongest = 32;
// Irregular cycles: the window runs from (shortest - 19) days after a start
// to (longest - 10) days after it.
constexpr int irregularFirstOffset = 19;
constexpr int irregularLastOffset = 10;
constexpr int shortestNotFound = 1000;

Date wholeSeconds(Date date) {
    return Date(std::trunc(date.timeIntervalSince1970()));
}

Date storedDate(long long seconds) {
    return Date(static_cast<double>(seconds));
}

// Day steps and day counts in local calendar days of the device's zone.
class LocalDays {
public:
    LocalDays() : calendar_(Calendar::current()) {}

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
    Calendar calendar_;
};

// What every prediction starts from, read at the moment of the call.
struct Inputs {
    int cycle;        // CYCLE_LENGTH, at least 1 so that every step advances
    int periodLength; // PERIOD_LENGTH
    int ovulationDay; // OVULATION_DAY
    long long latestStart;
    long long latestEnd;
    Date now;
    Date today;      // local 00:00:00 of now's day
    Date endOfToday; // local 23:59:59 of now's day

    bool isRegular() const { return cycle >= regularShortest && cycle <= regularLongest; }
};

// The settings and the latest period in one statement: each opening of the
// database file costs more than all the arithmetic of a call.
StoreResult<Inputs> readInputs(const LocalDays& days) {
    auto read = SQLiteAccess::selectOneRowWithSQL(
        "SELECT (SELECT value FROM settings WHERE name = 'CYCLE_LENGTH') AS cycle, "
        "(SELECT value FROM settings WHERE name = 'PERIOD_LENGTH') AS periodLength, "
        "(SELECT value FROM settings WHERE name = 'OVULATION_DAY') AS ovulationDay, "
        "(SELECT startDate FROM periods ORDER BY startDate DESC LIMIT 1) AS latestStart, "
        "(SELECT endDate FROM periods ORDER BY startDate DESC LIMIT 1) AS latestEnd");
    if (!read) {
        return read.error();
    }
    const Row& row = *read;
    Inputs in{};
    in.cycle = DatabaseController::clampSetting("CYCLE_LENGTH", row.integer("cycle"));
    in.periodLength =
        DatabaseController::clampSetting("PERIOD_LENGTH", row.integer("periodLength"));
    in.ovulationDay =
        DatabaseController::clampSetting("OVULATION_DAY", row.integer("ovulationDay"));
    in.latestStart = row.integer("latestStart");
    in.latestEnd = row.integer("latestEnd");
    in.now = Clock::current()->now();
    in.today = days.startOfDay(in.now);
    in.endOfToday = days.endOfDay(in.now);
    return in;
}

struct Period {
    Date start;
    long long end; // 0 while the period is open
};

// The twelve most recent periods, oldest first, each start with its own end.
StoreResult<std::vector<Period>> periodsOf(const StoreResult<std::vector<Row>>& rows) {
    if (!rows) {
        return rows.error();
    }
    std::vector<Period> periods;
    for (const auto& row : *rows) {
        periods.push_back({storedDate(row.integer("startDate")), row.integer("endDate")});
    }
    return periods;
}

StoreResult<std::vector<Period>> pairedPeriods() {
    return periodsOf(SQLiteAccess::selectManyRowsWithSQL(
        "SELECT startDate, endDate FROM (SELECT startDate, endDate FROM periods ORDER BY "
        "startDate DESC LIMIT 12) ORDER BY startDate ASC"));
}

// Shortest and longest distance between consecutive starts, in local days.
DatabaseController::CycleStatistics cycleStatistics(const LocalDays& days,
                                                    const std::vector<Period>& periods, int cycle) {
    int shortest = shortestNotFound;
    int longest = 0;
    for (size_t i = 1; i < periods.size(); ++i) {
        int length = days.count(periods[i - 1].start, periods[i].start);
        if (length != 0 && length <= shortest) {
            shortest = length;
        }
        if (length > longest) {
            longest = length;
        }
    }
    return {shortest == shortestNotFound ? cycle - 2 : shortest,
            longest == 0 ? cycle + 2 : longest};
}

StoreResult<std::vector<Period>> periodsInSpan(Date from, Date to) {
    return periodsOf(DatabaseController::getPeriodDatesBtwStart(from, to));
}

// The latest cycle start S + k cycles (k >= 0) that lies before `limit`, or S.
Date latestCycleStartBefore(const LocalDays& days, Date start, Date limit, int cycle) {
    int k = std::max(0, days.count(start, limit) / cycle);
    while (k > 0 && !(limit > days.add(start, k * cycle))) {
        --k;
    }
    while (limit > days.add(start, (k + 1) * cycle)) {
        ++k;
    }
    return days.add(start, k * cycle);
}

// Where the twelve predicted cycles begin: B, and K = 1 when they begin one
// cycle after B.
struct Base {
    Date date;
    int cycles;
};

enum class BaseTime { endOfDay, startOfDay };

Base predictionBase(const LocalDays& days, const Inputs& in, BaseTime time) {
    Date latest = storedDate(in.latestStart);
    if (in.latestStart != 0 && latest >= in.endOfToday) {
        return {latest, 1};
    }
    if (in.latestStart == 0) {
        return {in.now, 0};
    }
    int sinceStart = days.count(latest, in.endOfToday);
    if (sinceStart < in.cycle) {
        Date next = days.add(in.endOfToday, in.cycle - sinceStart);
        return {time == BaseTime::startOfDay ? days.startOfDay(next) : next, 0};
    }
    return {latestCycleStartBefore(days, latest, in.endOfToday, in.cycle), 0};
}

std::string utcText(Date date) {
    Calendar utc(TimeZone("UTC"), Locale("en_US_POSIX"));
    auto p = utc.components(date);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d +0000", p.year, p.month, p.day,
                  p.hour, p.minute, p.second);
    return text;
}

} // namespace

StoreResult<DatabaseController::CycleStatistics> DatabaseController::getCycleStatistics() {
    auto periods = pairedPeriods();
    auto cycle = getCycle();
    if (!periods || !cycle) {
        return periods ? cycle.error() : periods.error();
    }
    return cycleStatistics(LocalDays(), *periods, *cycle);
}

StoreResult<std::vector<Date>> DatabaseController::getAllPeriodDates() {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    auto periods = pairedPeriods();
    if (!periods) {
        return periods.error();
    }
    std::vector<Date> list;
    for (const auto& period : *periods) {
        // The open period counts up to today, so that it is not lost.
        Date last = period.end == 0 ? in.endOfToday : storedDate(period.end);
        days.appendWhile(list, period.start, [&](Date day) { return day <= last; });
    }
    Base base = predictionBase(days, in, BaseTime::endOfDay);
    for (int i = 0; i < predictedCycles; ++i) {
        for (int day = 0; day < in.periodLength; ++day) {
            list.push_back(days.add(base.date, (base.cycles + i) * in.cycle + day));
        }
    }
    return list;
}

StoreResult<std::vector<Date>> DatabaseController::getAllFertileDates() {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    auto logged = pairedPeriods();
    if (!logged) {
        return logged.error();
    }
    const auto& periods = *logged;
    std::vector<Date> list;
    Base base = predictionBase(days, in, BaseTime::startOfDay);
    int offset = base.cycles * in.cycle;
    if (in.isRegular()) {
        for (const auto& period : periods) {
            if (period.end == 0) {
                continue; // an open period has no window yet
            }
            Date end = storedDate(period.end);
            int length = days.count(period.start, end) + 1;
            Date last = days.add(end, fertileWindowDays);
            days.appendWhile(list, days.add(period.start, length),
                             [&](Date day) { return day <= last; });
        }
        for (int i = 0; i < predictedCycles; ++i) {
            for (int day = 0; day < fertileWindowDays; ++day) {
                list.push_back(days.add(base.date, in.periodLength + offset + i * in.cycle + day));
            }
        }
        return list;
    }
    auto stats = cycleStatistics(days, periods, in.cycle);
    int first = stats.shortest - irregularFirstOffset;
    int last = stats.longest - irregularLastOffset;
    for (const auto& period : periods) {
        if (period.end == 0) {
            continue;
        }
        Date bound = days.add(storedDate(period.end), last);
        days.appendWhile(list, days.add(period.start, first),
                         [&](Date day) { return day <= bound; });
    }
    for (int i = 0; i < predictedCycles; ++i) {
        for (int day = first; day < last; ++day) {
            list.push_back(days.add(base.date, offset + i * in.cycle + day));
        }
    }
    return list;
}

StoreResult<std::vector<Date>> DatabaseController::getPeriodDatesFrom(Date from, Date to) {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    Date spanStart = days.startOfDay(from);
    Date spanEnd = days.endOfDay(to);
    auto spanned = periodsInSpan(spanStart, spanEnd);
    if (!spanned) {
        return spanned.error();
    }
    auto periods = *spanned;
    std::vector<Date> list;
    // An open period that began before the span reaches into it.
    Date latest = storedDate(in.latestStart);
    if (in.latestStart != 0 && in.latestEnd == 0 && latest < spanStart) {
        periods.insert(periods.begin(), Period{latest, 0});
    }
    if (!periods.empty()) {
        for (const auto& period : periods) {
            Date first = std::max(period.start, spanStart);
            if (period.end == 0) {
                days.appendWhile(list, first, [&](Date day) { return day <= in.now; });
                return list;
            }
            Date nextStart = days.add(period.start, in.cycle);
            bool addNext = periods.size() == 1 && spanEnd > in.now && nextStart < spanEnd;
            Date last = std::min(storedDate(period.end), spanEnd);
            days.appendWhile(list, first, [&](Date day) { return day <= last; });
            if (addNext) {
                for (int day = 0; day < in.periodLength; ++day) {
                    Date next = days.add(nextStart, day);
                    if (next > spanEnd) {
                        break;
                    }
                    list.push_back(next);
                }
            }
        }
        return list;
    }
    if (in.latestStart == 0) {
        return list;
    }
    for (int i = 0;; ++i) {
        Date cycleStart = days.add(latest, i * in.cycle);
        if (!(cycleStart < spanEnd)) {
            break;
        }
        Date cycleEnd = days.add(cycleStart, in.periodLength);
        if (cycleEnd <= spanStart) {
            continue;
        }
        bool whollyInside = cycleStart >= spanStart && spanEnd > cycleEnd;
        for (int day = 0; day < in.periodLength; ++day) {
            Date date = days.add(cycleStart, day);
            // Past predicted days are not shown.
            if (date >= spanStart && date <= spanEnd && date >= in.today) {
                if (whollyInside) {
                    Log::write(format("%@", utcText(date)));
                }
                list.push_back(date);
            }
        }
    }
    return list;
}

StoreResult<std::vector<Date>> DatabaseController::getFertileDatesFrom(Date from, Date to) {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    Date spanStart = days.startOfDay(from);
    Date spanEnd = days.endOfDay(to);
    bool regular = in.isRegular();
    auto logged =
        regular ? StoreResult<std::vector<Period>>(std::vector<Period>{}) : pairedPeriods();
    auto spanned = periodsInSpan(spanStart, spanEnd);
    if (!logged || !spanned) {
        return logged ? spanned.error() : logged.error();
    }
    CycleStatistics stats = regular ? CycleStatistics{} : cycleStatistics(days, *logged, in.cycle);
    int first = stats.shortest - irregularFirstOffset;
    int last = stats.longest - irregularLastOffset;
    std::vector<Date> list;
    const auto& periods = *spanned;
    auto appendBefore = [&](Date firstDay, Date bound) {
        days.appendWhile(list, firstDay, [&](Date day) { return day < spanEnd && day < bound; });
    };
    if (!periods.empty()) {
        for (const auto& period : periods) {
            if (period.end == 0) {
                return list;
            }
            bool addNext = periods.size() == 1 && spanEnd > in.now &&
                           days.add(period.start, in.cycle) < spanEnd;
            if (regular) {
                Date end = storedDate(period.end);
                appendBefore(days.add(end, 1), days.add(end, fertileWindowDays + 1));
                if (addNext) {
                    Date next = days.add(period.start, in.periodLength + in.cycle);
                    appendBefore(next, days.add(next, fertileWindowDays));
                }
            } else {
                appendBefore(days.add(period.start, first), days.add(period.start, last));
                if (addNext) {
                    // The window one cycle after the current one.
                    appendBefore(days.add(period.start, in.cycle + first),
                                 days.add(period.start, in.cycle + last));
                }
            }
        }
        return list;
    }
    if (in.latestStart == 0) {
        return list;
    }
    Date latest = storedDate(in.latestStart);
    // The current cycle's window follows the latest period's real length.
    int shift =
        in.latestEnd != 0 ? days.count(latest, storedDate(in.latestEnd)) + 1 - in.periodLength : 0;
    int windowStart = regular ? 0 : first;
    int windowEnd = regular ? fertileWindowDays : last;
    for (int i = 0;; ++i) {
        int cycleOffset = i * in.cycle + (regular ? in.periodLength : 0);
        if (!(days.add(latest, cycleOffset) < spanEnd)) {
            break;
        }
        int offset = cycleOffset + (i == 0 ? shift : 0);
        Date windowLast = days.add(latest, offset + windowEnd);
        if (windowLast <= spanStart) {
            continue;
        }
        for (int day = windowStart; day < windowEnd; ++day) {
            Date date = days.add(latest, offset + day);
            if (date >= spanStart && date <= spanEnd && date >= in.today) {
                list.push_back(date);
            }
        }
    }
    return list;
}

StoreResult<std::vector<Date>> DatabaseController::getOvulationDatesFrom(Date from, Date to) {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    Date spanStart = wholeSeconds(from);
    Date spanEnd = wholeSeconds(to);
    auto spanned = periodsInSpan(spanStart, spanEnd);
    if (!spanned) {
        return spanned.error();
    }
    auto periods = *spanned;
    std::vector<Date> list;
    if (!periods.empty()) {
        for (const auto& period : periods) {
            Date ovulation = days.add(period.start, in.ovulationDay);
            list.push_back(ovulation);
            if (periods.size() == 1) {
                Date next = days.add(ovulation, in.cycle);
                list.push_back(spanEnd > in.now && next < spanEnd ? next : ovulation);
            }
        }
        return list;
    }
    if (in.latestStart == 0) {
        return list;
    }
    Date latest = storedDate(in.latestStart);
    for (int i = 0; days.add(latest, i * in.cycle) < spanEnd; ++i) {
        Date ovulation = days.add(latest, i * in.cycle + in.ovulationDay);
        if (ovulation >= spanStart && ovulation <= spanEnd && ovulation >= in.today) {
            list.push_back(ovulation);
        }
    }
    return list;
}

StoreResult<std::vector<Date>> DatabaseController::getMarkedDatesFrom(Date from, Date to) {
    auto values = SQLiteAccess::selectManyValuesWithSQL(
        "SELECT date FROM dates WHERE ((date BETWEEN ? AND ?) AND hasData > 0)",
        {dayKeyForDate(from), dayKeyForDate(to)});
    if (!values) {
        return values.error();
    }
    std::vector<Date> list;
    for (auto& value : *values) {
        list.push_back(storedDate(Row::integerValue(value)));
    }
    return list;
}

StoreResult<int> DatabaseController::getRemainingDays() {
    LocalDays days;
    auto inputs = readInputs(days);
    if (!inputs) {
        return inputs.error();
    }
    const Inputs& in = *inputs;
    if (in.latestStart == 0) {
        return 0;
    }
    Date latest = storedDate(in.latestStart);
    int remaining = in.cycle - days.count(latest, in.endOfToday);
    if (remaining >= 0) {
        return remaining;
    }
    Date cycleStart = latestCycleStartBefore(days, latest, in.endOfToday, in.cycle);
    return days.count(cycleStart, in.endOfToday) - in.cycle;
}

} // namespace florelle
