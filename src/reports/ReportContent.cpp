// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportContent.h"

#include "cycle/DailyLogCatalogue.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

#include <unordered_map>

namespace florelle {

namespace {

// The titles name the twelve months of the default window; other spans say
// their own number.
std::string title(const char* twelveMonthsKey, const char* monthsKey, int months) {
    return months == ReportWindow::defaultMonths
               ? Strings::localized(twelveMonthsKey)
               : Strings::localizedCountFormat(monthsKey, months, months);
}

ReportHeader header(std::string title, const ReportWindow& window, const CalDateFormatter& dates,
                    std::array<const char*, 3> headKeys) {
    ReportHeader header{
        std::move(title), dates.stringFromDate(window.from), dates.stringFromDate(window.to), {}};
    for (size_t column = 0; column < headKeys.size(); ++column) {
        header.heads[column] = Strings::localized(headKeys[column]);
    }
    return header;
}

CycleReport cycleReport(const ReportData& data, const ReportWindow& window,
                        const Calendar& calendar, const CalDateFormatter& dates) {
    CycleReport report{header(title("Cycle data for last 12 months Key",
                                    "Cycle data for last %d months Key", window.months),
                              window, dates,
                              {"PERIOD START DATE Key", "PERIOD END DATE Key", "CYCLE LENGTH Key"}),
                       {}};
    for (size_t i = 0; i < data.periods.size(); ++i) {
        const ReportData::Period& period = data.periods[i];
        CycleReport::Row row;
        row.start = dates.stringFromDate(period.start);
        row.end = period.end == Date() ? "/" : dates.stringFromDate(period.end);
        // The newest cycle is still running: a slash stands for its length,
        // and the unit agrees with the days it has lasted so far.
        if (i == 0) {
            row.cycle = "/   " + Strings::localizedCount(
                                     "days Key", calendar.daysFrom(period.start, window.to));
        } else {
            int days = calendar.daysFrom(period.start, data.periods[i - 1].start);
            row.cycle = std::to_string(days) + " " + Strings::localizedCount("days Key", days);
        }
        report.rows.push_back(std::move(row));
    }
    return report;
}

MoodsReport moodsReport(const ReportData& data, const ReportWindow& window,
                        const Calendar& calendar, const CalDateFormatter& dates) {
    MoodsReport report{header(title("Moods & Symptoms data for last 12 months Key",
                                    "Moods & Symptoms data for last %d months Key", window.months),
                              window, dates, {"DATE Key", "MOODS Key", "SYMPTOMS Key"}),
                       {}};
    std::unordered_map<long long, const ReportData::LoggedDay*> logged;
    for (const auto& day : data.days) {
        logged[day.dayKey] = &day;
    }
    for (int back = 0; back < window.dayCount(); ++back) {
        Date day = calendar.addingDays(window.to, -back);
        auto found = logged.find(DatabaseController::dayKeyForDate(day));
        if (found == logged.end()) {
            continue;
        }
        MoodsReport::Day entry{dates.stringFromDate(day), {}, {}};
        for (const std::string& name : found->second->moodNames) {
            entry.moods.push_back(DailyLogCatalogue::moodText(name));
        }
        for (const std::string& name : found->second->symptomNames) {
            entry.symptoms.push_back(DailyLogCatalogue::symptomText(name));
        }
        report.days.push_back(std::move(entry));
    }
    return report;
}

} // namespace

ReportContent ReportContent::make(const ReportData& data, const ReportWindow& window,
                                  const Calendar& calendar, CalDateFormatter::Style style) {
    CalDateFormatter dates(style);
    return {cycleReport(data, window, calendar, dates), moodsReport(data, window, calendar, dates)};
}

} // namespace florelle
