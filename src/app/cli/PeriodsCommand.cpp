// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeriodsCommand.h"

#include "LocalDay.h"
#include "StoreChecks.h"
#include "foundation/Strings.h"
#include "storage/DatabaseController.h"

#include <iomanip>
#include <nlohmann/json.hpp>

namespace florelle::cli {

namespace {

struct LoggedPeriod {
    Date start;
    std::optional<Date> end;
    std::optional<int> periodDays;
    std::optional<int> cycleDays;
};

std::vector<LoggedPeriod> loggedPeriods(const Calendar& calendar) {
    // Every period there is: the span reaches from 1970 to far beyond any diary.
    auto rows = checked(DatabaseController::getPeriodDatesBtwStart(Date(0), Date(1e11)));
    std::vector<LoggedPeriod> periods;
    for (size_t i = 0; i < rows.size(); ++i) {
        LoggedPeriod period;
        period.start = Date(static_cast<double>(rows[i].integer("startDate")));
        if (long long end = rows[i].integer("endDate"); end != 0) {
            period.end = Date(static_cast<double>(end));
            period.periodDays = calendar.daysFrom(period.start, *period.end) + 1;
        }
        if (i > 0) {
            Date next(static_cast<double>(rows[i - 1].integer("startDate")));
            period.cycleDays = calendar.daysFrom(period.start, next);
        }
        periods.push_back(period);
    }
    return periods;
}

// "day" or "days" as the count asks, in her language.
std::string daysFor(int count) {
    return Strings::localizedCount("days Key", count);
}

template <typename T> nlohmann::json orNull(const std::optional<T>& value) {
    return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

} // namespace

void runPeriodsCommand(CliContext& context) {
    context.arguments.allowOnly({"json"}, "periods");
    context.arguments.allowWords(1, "periods");
    auto periods = loggedPeriods(context.calendar);
    if (context.arguments.flag("json")) {
        auto list = nlohmann::json::array();
        for (const auto& period : periods) {
            std::optional<std::string> end;
            if (period.end) {
                end = LocalDay::format(*period.end, context.calendar);
            }
            list.push_back({{"start", LocalDay::format(period.start, context.calendar)},
                            {"end", orNull(end)},
                            {"periodDays", orNull(period.periodDays)},
                            {"cycleDays", orNull(period.cycleDays)}});
        }
        context.out << list.dump(2) << "\n";
        return;
    }
    if (periods.empty()) {
        context.out << "No period logged yet.\n";
        return;
    }
    for (const auto& period : periods) {
        context.out << LocalDay::format(period.start, context.calendar) << "  ";
        if (period.end) {
            // The cycles stand in one column, after "day" as after "days".
            context.out << LocalDay::format(*period.end, context.calendar) << "  " << std::setw(2)
                        << *period.periodDays << " " << std::left << std::setw(4)
                        << daysFor(*period.periodDays) << std::right;
        } else {
            context.out << std::left << std::setw(19) << "open" << std::right;
        }
        if (period.cycleDays) {
            context.out << "  cycle " << *period.cycleDays << " " << daysFor(*period.cycleDays);
        }
        context.out << "\n";
    }
}

} // namespace florelle::cli
