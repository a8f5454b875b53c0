// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "CliErrors.h"
#include "QuotedInput.h"
#include "ReminderReplan.h"
#include "StoreChecks.h"
#include "cycle/DailyLogCatalogue.h"
#include "import/ImportDays.h"
#include "import/ImportMerge.h"
#include "import/ImportReader.h"

#include <filesystem>
#include <nlohmann/json.hpp>

namespace florelle::cli {

namespace {

std::string span(const ImportedPeriod& period) {
    return ImportDays::format(period.first) + " – " + ImportDays::format(period.last);
}

nlohmann::ordered_json spanJson(const ImportedPeriod& period) {
    return {{"start", ImportDays::format(period.first)}, {"end", ImportDays::format(period.last)}};
}

void printJson(std::ostream& out, const ImportPlan& plan, const ImportMerge::Outcome& outcome,
               bool dryRun) {
    auto added = nlohmann::ordered_json::array();
    for (const auto& period : outcome.added) {
        added.push_back(spanJson(period));
    }
    auto skipped = nlohmann::ordered_json::array();
    for (const auto& skip : outcome.skipped) {
        auto entry = spanJson(skip.period);
        entry["reason"] = ImportMerge::reasonText(skip.reason);
        skipped.push_back(entry);
    }
    nlohmann::ordered_json fields = {{"format", importFormatName(plan.format)},
                                     {"dryRun", dryRun},
                                     {"periodsAdded", added},
                                     {"periodsSkipped", skipped},
                                     {"daysChanged", outcome.daysChanged},
                                     {"notesKept", outcome.notesKept}};
    out << fields.dump(2) << "\n";
}

void printText(std::ostream& out, const ImportPlan& plan, const ImportMerge::Outcome& outcome,
               bool dryRun) {
    out << "From a " << importFormatTitle(plan.format) << " file"
        << (dryRun ? " (dry run: nothing is stored)" : "") << ":\n";
    out << (dryRun ? "Periods to add: " : "Periods added: ") << outcome.added.size() << "\n";
    for (const auto& period : outcome.added) {
        out << "  " << span(period) << "\n";
    }
    if (!outcome.skipped.empty()) {
        out << "Periods skipped: " << outcome.skipped.size() << "\n";
        for (const auto& skip : outcome.skipped) {
            out << "  " << span(skip.period) << "  " << ImportMerge::reasonText(skip.reason)
                << "\n";
        }
    }
    out << (dryRun ? "Days whose log gains entries: " : "Days whose log gained entries: ")
        << outcome.daysChanged << "\n";
    if (outcome.notesKept > 0) {
        out << "Days keeping their own note in place of the file's: " << outcome.notesKept << "\n";
    }
}

} // namespace

void runImportCommand(CliContext& context) {
    const auto& arguments = context.arguments;
    arguments.allowOnly({"format", "dry-run", "json"}, "import");
    arguments.allowWords(2, "import");
    std::string file = arguments.word(1);
    if (file.empty()) {
        throw UsageError("'import' needs the file another app exported");
    }
    std::optional<ImportFormat> format;
    if (auto name = arguments.option("format")) {
        format = importFormatNamed(*name);
        if (!format) {
            throw UsageError("--format is drip, clue or csv, not " + quotedInput(*name));
        }
    }
    auto catalogue = checked(DailyLogCatalogue::read());
    auto reading = ImportReader::readFile(file, format, catalogue);
    if (!reading.plan) {
        std::string name = std::filesystem::path(file).filename().string();
        throw Failure("cannot import " + quotedInput(name) + ": " + reading.problem);
    }
    bool dryRun = arguments.flag("dry-run");
    auto outcome = dryRun ? ImportMerge::preview(*reading.plan, context.calendar, context.now)
                          : ImportMerge::apply(*reading.plan, context.calendar, context.now);
    if (outcome.error) {
        throw Failure(outcome.error->message());
    }
    if (!dryRun && !outcome.added.empty()) {
        // The reminders count from the latest start, as after any period entry.
        replanReminders();
    }
    if (arguments.flag("json")) {
        printJson(context.out, *reading.plan, outcome, dryRun);
    } else {
        printText(context.out, *reading.plan, outcome, dryRun);
    }
}

} // namespace florelle::cli
