// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "QuotedInput.h"
#include "ReminderReplan.h"
#include "StoreChecks.h"
#include "cycle/PeriodEntry.h"
#include "storage/DatabaseController.h"

namespace florelle::cli {

namespace {

std::string refusalText(PeriodEntry::Mode mode, const PeriodEntry::Outcome& outcome,
                        const Calendar& calendar) {
    switch (*outcome.refusal) {
    case PeriodEntry::Refusal::afterToday:
        return "lies in the future";
    case PeriodEntry::Refusal::periodOpen: {
        Date open(static_cast<double>(checked(DatabaseController::getLatestStartDay())));
        return "cannot start a period: a period is open since " + LocalDay::format(open, calendar) +
               "; log its end first";
    }
    case PeriodEntry::Refusal::noPeriodOpen:
        return "cannot end a period: no period is open; log a start first";
    case PeriodEntry::Refusal::beforeEarliest:
        break;
    }
    std::string earliest = LocalDay::format(*outcome.limits.earliest, calendar);
    return mode == PeriodEntry::Mode::start
               ? "lies before " + earliest + ", the day after the last period ended"
               : "lies before " + earliest + ", the day the open period started";
}

} // namespace

void runLogCommand(CliContext& context) {
    const auto& arguments = context.arguments;
    arguments.allowOnly({}, "log");
    arguments.allowWords(3, "log");
    std::string what = arguments.word(1);
    if (what != "start" && what != "end") {
        throw UsageError("'log' needs start or end" +
                         (what.empty() ? std::string() : ", not " + quotedInput(what)));
    }
    auto mode = what == "start" ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
    std::string dayText = arguments.word(2).empty() ? "today" : arguments.word(2);
    Date day = LocalDay::parse(dayText, context.calendar, context.now);

    // The check and the write are one transaction: a refusal here is the
    // diary's state at the moment of writing, not of an earlier look.
    auto outcome = PeriodEntry::save(mode, day, context.calendar, context.now);
    if (outcome.error) {
        throw Failure(outcome.error->message());
    }
    if (outcome.refusal) {
        std::string dayName = LocalDay::format(day, context.calendar);
        std::string reason = refusalText(mode, outcome, context.calendar);
        throw Failure(reason.starts_with("cannot") ? reason : dayName + " " + reason);
    }
    if (mode == PeriodEntry::Mode::start) {
        // The reminders count from the latest start, as after the window's entry.
        replanReminders();
    }
    context.out << "Period " << (mode == PeriodEntry::Mode::start ? "started" : "ended") << " on "
                << LocalDay::format(day, context.calendar) << "\n";
}

} // namespace florelle::cli
