// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyncCommand.h"

#include "CliErrors.h"
#include "QuotedInput.h"
#include "StoreChecks.h"
#include "storage/DatabaseController.h"
#include "sync/SyncAccount.h"

#include <iostream>
#include <string>

namespace florelle::cli {

namespace {

std::string passwordFromStandardInput() {
    std::string password;
    std::getline(std::cin, password);
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    if (password.empty()) {
        throw UsageError("--password-stdin read no password");
    }
    return password;
}

} // namespace

void runSyncCommand(CliContext& context) {
    const CliArguments& arguments = context.arguments;
    arguments.allowOnly({"server", "user", "password-stdin"}, "sync");
    arguments.allowWords(1, "sync");
    std::string server = arguments.option("server").value_or(SyncServerSetting::get());
    if (server.empty()) {
        throw UsageError("no calendar server is set; give it with --server URL");
    }
    if (!isSafeCalendarAddress(server)) {
        throw UsageError("the calendar server " + quotedInput(server) +
                         " is not an https address; the password is sent only over https");
    }
    std::string user =
        arguments.option("user").value_or(checked(DatabaseController::getUsername()).value_or(""));
    if (user.empty()) {
        throw UsageError("no user name is stored yet; give it with --user NAME");
    }
    SecretServiceVault vault;
    checked(moveOldPassword(vault, server, user));
    bool typed = arguments.flag("password-stdin");
    std::string password =
        typed ? passwordFromStandardInput() : vault.password(server, user).value_or("");
    if (password.empty()) {
        throw UsageError("no password is kept for " + quotedInput(user) +
                         "; give it on standard input with --password-stdin");
    }
    CalendarAccount account{server, user, password};
    SyncOutcome outcome = calendarSync(account, context.calendar, context.now).syncWithUser();
    if (outcome.result == SyncOutcome::Result::failed ||
        outcome.result == SyncOutcome::Result::cancelled) {
        throw Failure(outcome.reason);
    }
    // Kept where the desktop keeps passwords, else asked for again next time.
    if (typed) {
        vault.keep(server, user, password);
    }
    std::string done = "Inserted " + std::to_string(outcome.inserted) + ", updated " +
                       std::to_string(outcome.updated) + ", deleted " +
                       std::to_string(outcome.deleted) + " events; imported " +
                       std::to_string(outcome.imported) + " notes.";
    if (outcome.result == SyncOutcome::Result::someNotCopied) {
        throw Failure(done + " " + std::to_string(outcome.failedRequests) +
                      " events could not be copied; sync again later.");
    }
    if (outcome.calendarCreated) {
        context.out << "Created the calendar \"Florelle\".\n";
    }
    context.out << done << "\n";
}

} // namespace florelle::cli
