#include "LogCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "cycle/PeriodEntry.h"
#include "storage/DatabaseController.h"

namespace florelle::cli {

namespace {

std::string refusalText(PeriodEntry::Mode mode, const PeriodEntry::Limits& limits,
                        PeriodEntry::Refusal refusal, const Calendar& calendar) {
    if (refusal == PeriodEntry::Refusal::afterToday) {
        return "lies in the future";
    }
    std::string earliest = LocalDay::format(*limits.earliest, calendar);
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
                         (what.empty() ? std::string() : ", not '" + what + "'"));
    }
    auto mode = what == "start" ? PeriodEntry::Mode::start : PeriodEntry::Mode::end;
    std::string dayText = arguments.word(2).empty() ? "today" : arguments.word(2);
    Date day = LocalDay::parse(dayText, context.calendar, context.now);

    if (mode != PeriodEntry::currentMode()) {
        if (mode == PeriodEntry::Mode::start) {
            Date open(static_cast<double>(DatabaseController::getLatestStartDay()));
            throw Failure("a period is open since " + LocalDay::format(open, context.calendar) +
                          "; log its end first");
        }
        throw Failure("no period is open; log a start first");
    }
    auto limits = PeriodEntry::limits(mode, context.calendar, context.now);
    if (auto refusal = PeriodEntry::save(mode, day, context.calendar, context.now)) {
        throw Failure(LocalDay::format(day, context.calendar) + " " +
                      refusalText(mode, limits, *refusal, context.calendar));
    }
    context.out << "Period " << (mode == PeriodEntry::Mode::start ? "started" : "ended") << " on "
                << LocalDay::format(day, context.calendar) << "\n";
}

} // namespace florelle::cli
