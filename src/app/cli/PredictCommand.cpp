// SPDX-License-Identifier: GPL-3.0-or-later
#include "PredictCommand.h"

#include "CliErrors.h"
#include "LocalDay.h"
#include "QuotedInput.h"
#include "StoreChecks.h"
#include "storage/DatabaseController.h"

#include <nlohmann/json.hpp>
#include <set>

namespace florelle::cli {

namespace {

using DC = DatabaseController;

std::vector<Date> spanDays(const std::string& kind, Date from, Date to, const CliContext& context) {
    if (kind == "period") {
        return checked(DC::getPeriodDatesFrom(from, to, context.now));
    }
    if (kind == "fertile") {
        return checked(DC::getFertileDatesFrom(from, to, context.now));
    }
    if (kind == "ovulation") {
        return checked(DC::getOvulationDatesFrom(from, to, context.now));
    }
    if (kind == "marked") {
        return checked(DC::getMarkedDatesFrom(from, to));
    }
    // Intimate days are found by their day keys, which lie within the days'
    // local bounds.
    return checked(DC::getIntimateDatesFrom(from, context.calendar.endOfDay(to)));
}

} // namespace

void runPredictCommand(CliContext& context) {
    const auto& arguments = context.arguments;
    arguments.allowOnly({"json", "from", "to", "kind"}, "predict");
    arguments.allowWords(1, "predict");
    std::string kind = arguments.option("kind").value_or("period");
    static const std::set<std::string> kinds = {"period", "fertile", "ovulation", "marked",
                                                "intimate"};
    if (!kinds.count(kind)) {
        throw UsageError("--kind is one of period, fertile, ovulation, marked, intimate, not " +
                         quotedInput(kind));
    }
    auto fromText = arguments.option("from");
    auto toText = arguments.option("to");
    std::vector<Date> days;
    if (fromText || toText) {
        if (!fromText || !toText) {
            throw UsageError("a span needs both --from and --to");
        }
        Date from = LocalDay::parse(*fromText, context.calendar, context.now);
        Date to = LocalDay::parse(*toText, context.calendar, context.now);
        if (context.calendar.daysFrom(from, to) < 0) {
            throw UsageError("--to " + *toText + " lies before --from " + *fromText);
        }
        days = spanDays(kind, from, to, context);
    } else if (kind == "period") {
        days = checked(DC::getAllPeriodDates(context.now));
    } else if (kind == "fertile") {
        days = checked(DC::getAllFertileDates(context.now));
    } else {
        throw UsageError("--kind " + kind + " needs a span: --from DATE --to DATE");
    }
    std::set<std::string> sorted;
    for (Date day : days) {
        sorted.insert(LocalDay::format(day, context.calendar));
    }
    if (arguments.flag("json")) {
        context.out << nlohmann::json(sorted).dump() << "\n";
        return;
    }
    for (const auto& day : sorted) {
        context.out << day << "\n";
    }
}

} // namespace florelle::cli
