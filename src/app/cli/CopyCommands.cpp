// SPDX-License-Identifier: GPL-3.0-or-later
#include "CopyCommands.h"

#include "CliErrors.h"
#include "QuotedInput.h"
#include "ReminderReplan.h"
#include "StoreChecks.h"
#include "storage/DiaryCopies.h"

namespace florelle::cli {

namespace {

std::filesystem::path fileWord(const CliContext& context, const std::string& command) {
    context.arguments.allowOnly({}, command);
    context.arguments.allowWords(2, command);
    std::string file = context.arguments.word(1);
    if (file.empty()) {
        throw UsageError("'" + command + "' needs the file of the copy");
    }
    return std::filesystem::absolute(file);
}

} // namespace

void runBackupCommand(CliContext& context) {
    auto file = fileWord(context, "backup");
    if (auto failure = DiaryCopies::backup(file)) {
        throw Failure(*failure);
    }
    context.out << "Diary copied to " << file.string() << "\n";
}

void runRestoreCommand(CliContext& context) {
    auto file = fileWord(context, "restore");
    auto restored = DiaryCopies::restore(file, context.calendar, context.now);
    if (restored.refusal) {
        throw Failure(quotedInput(file.string()) + " was not restored: " + restored.detail +
                      "; the diary was left as it was");
    }
    if (!restored.done()) {
        throw Failure(restored.detail);
    }
    // The reminders count from the restored periods.
    replanReminders();
    context.out << "Diary restored from " << file.string() << "\n";
    if (restored.keptCopy) {
        context.out << "The diary it replaced is kept as " << restored.keptCopy->string() << "\n";
    }
}

} // namespace florelle::cli
