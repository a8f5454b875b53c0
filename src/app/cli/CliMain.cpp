// SPDX-License-Identifier: GPL-3.0-or-later
// florelle-cli: the diary from a terminal, a script or a status bar. It works
// on the same database as the window, with the same rules.
#include "CliErrors.h"
#include "CopyCommands.h"
#include "DayCommand.h"
#include "ExportCommand.h"
#include "ImportCommand.h"
#include "LocalDay.h"
#include "LogCommand.h"
#include "PeriodsCommand.h"
#include "PredictCommand.h"
#include "QuotedInput.h"
#include "SettingsCommand.h"
#include "StatusCommand.h"
#include "StoreChecks.h"
#include "SyncCommand.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/PrivateFiles.h"
#include "reminders/DiaryZoneFollower.h"
#include "storage/SQLiteAccess.h"
#include "storage/VersionUpdater.h"

#include <functional>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace florelle;
using namespace florelle::cli;

namespace {

const char* const generalHelp = R"(Usage: florelle-cli COMMAND [OPTIONS]

Florelle's diary from a terminal. Dates are local days: YYYY-MM-DD, today or
yesterday.

Commands:
  status                  today: period day, fertile window, days left …
  periods                 the logged periods, newest first
  predict                 the days of periods, fertile windows, ovulation …
  log start|end [DATE]    a period's first or last day (default today)
  settings                every setting; settings set NAME VALUE changes one
  day [DATE]              a day's moods, symptoms, weight … and changes to them
  backup FILE             a copy of the diary, safe while Florelle is open
  restore FILE            a copy put back in the diary's place
  export DIR              the cycle and the moods and symptoms reports as files
  import FILE             periods and day logs from another period app's export
  sync                    periods, fertile days and notes into your online calendar

Options for every command:
  --data-dir DIR          use the diary in DIR instead of ~/.local/share/florelle
  --now YYYY-MM-DDTHH:MM  work as if it were this local time, not the clock's:
                          today, predictions and reminders count from it
  --help                  help for the command

Exit status: 0 done, 1 failed, 2 bad command line.
)";

struct Command {
    std::function<void(CliContext&)> run;
    const char* help;
    // Backup and restore open the diary themselves: a backup only reads it,
    // and a restore replaces a diary that may be damaged.
    bool opensDiaryItself = false;
};

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"status", {runStatusCommand, R"(Usage: florelle-cli status [--json | --format PATTERN]

Today as Florelle's main screen states it, in your language.
  --json            the same as fields: kind (none, due, period, fertile,
                    ovulation, regular, late, pregnant), periodDay, daysLeft,
                    daysLate, daysToBirth, nextPeriod, text
  --format PATTERN  for status bars: fields in braces, e.g. '{daysLeft}d'
)"}},
        {"predict",
         {runPredictCommand,
          R"(Usage: florelle-cli predict [--from DATE --to DATE] [--kind KIND] [--json]

The local days of one kind, sorted, one a line:
  --kind period     logged and predicted period days (the default)
  --kind fertile    fertile windows
  --kind ovulation  ovulation days
  --kind marked     days with notes, moods, symptoms, weight or temperature
  --kind intimate   days with intimacy
Without a span: the twelve cycles ahead (period and fertile only).
Predicted days before today are left out; --now YYYY-MM-DDTHH:MM sets today.
)"}},
        {"log", {runLogCommand, R"(Usage: florelle-cli log start [DATE]
       florelle-cli log end [DATE]

Logs the first or the last day of a period, as the centre button does. A
start comes after the last period's end; an end on or after the open
period's start; neither in the future. DATE defaults to today.
)"}},
        {"periods", {runPeriodsCommand, R"(Usage: florelle-cli periods [--json]

The logged periods, newest first: first day, last day (or "open"), the
period's length and the length of the cycle it began.
)"}},
        {"export", {runExportCommand, R"(Usage: florelle-cli export [--pdf] [--csv] [--months N] DIR

Writes the reports the window sends by e-mail into the folder DIR: the cycle
report (each period's start, end and cycle length) and the moods and
symptoms report (each day's moods and symptoms), newest first, in your
language. Each file is readable by you only and replaces one of its name.
  --pdf         PDF files (the default)
  --csv         CSV files for a spreadsheet; with --pdf, both
  --months N    the last N months of 30 days, 1 to 120 (default 12)
Prints the files written, one a line.
)"}},
        {"day", {runDayCommand, R"(Usage: florelle-cli day [DATE] [--json]
       florelle-cli day [DATE] CHANGES… [--json]

The day's moods, symptoms with their intensity (1 to 3), weight and
temperature (in the unit of the units setting), intimacy and note; DATE
defaults to today. Changes, with the rules of the daily log page, stored
together or not at all:
  --mood NAME             chooses a mood (repeat it, or NAME,NAME …)
  --symptom NAME[:LEVEL]  chooses a symptom at intensity 1, 2 or 3 (default
                          1), in place of another intensity of it
  --weight N              kg or lbs, as the units setting says
  --temperature N         °C or °F, as the units setting says
  --intimate yes|no
  --note TEXT             the note; --note-file FILE reads it from a file
                          ('-' for standard input)
  --clear FIELD           empties moods, symptoms, weight, temperature,
                          intimate or note; mood:NAME or symptom:NAME takes
                          one away. Clearing comes before the changes.
Names are those the daily log shows, in your language, or the catalogue's
(Happy, TenderBreasts). Prints the day as it is afterwards.
)"}},
        {"import",
         {runImportCommand,
          R"(Usage: florelle-cli import FILE [--format drip|clue|csv] [--dry-run] [--json]

Adds the history another period app exported to the diary, all of it or,
on any failure, nothing:
  drip   drip's CSV export (one row a day: bleeding, temperature, note,
         moods, pains, sex …)
  clue   Clue's measurements.json
  csv    ISO dates, one bleeding day a row or a period's first and last
         day a row (start,end); a header line may name the columns
Without --format the file's content tells. Bleeding days become periods (a
gap of one day still joins); a period that overlaps or touches a logged one
is skipped and listed. A day keeps its note and values and gains the file's
moods and symptoms; what the daily log has no place for goes into the note
of a day without one. A malformed file is refused with the line and reason.
  --dry-run   prints what would be added and stores nothing
  --json      the same as fields: format, dryRun, periodsAdded,
              periodsSkipped, daysChanged, notesKept
)"}},
        {"backup",
         {runBackupCommand, R"(Usage: florelle-cli backup FILE

Writes a copy of the diary to FILE, readable by you only: the diary as it is
at one moment, also while Florelle is open and saving. An existing FILE is
replaced only once the copy is whole.
)",
          true}},
        {"restore",
         {runRestoreCommand, R"(Usage: florelle-cli restore FILE

Puts the copy in FILE in the diary's place, once it is found to be a sound
Florelle diary that this version can read (older ones are brought up to
date). The diary it replaces is kept beside it as period-YYYY-MM-DD.db. A
running Florelle shows the restored diary from its next look at it; the
reminders are planned anew.
)",
          true}},
        {"sync",
         {runSyncCommand,
          R"(Usage: florelle-cli sync [--server URL] [--user NAME] [--password-stdin]

Copies the period days, fertile days and notes into the calendar "Florelle"
of your account on a calendar server (created on the first sync), as the
window's Sync does, and brings notes edited there on period and fertile
days back into the diary. Prints what it inserted, updated, deleted and
imported.
  --server URL      the server's address, https (default: the one set in
                    the window's Sync form): a CalDAV server, found from
                    the address or its /.well-known/caldav, or else an Atom
                    calendar server
  --user NAME       the account's user name (default: the last one synced)
  --password-stdin  reads the password from the first line of standard input;
                    after a sync it is kept in the desktop's keyring (Secret
                    Service) where one runs, and taken from there next time
)"}},
        {"settings", {runSettingsCommand, R"(Usage: florelle-cli settings [--json]
       florelle-cli settings set NAME VALUE

Names and values:
  cycle-length N        0 to 59 days (0 is stored as 1)
  period-length N       0 to 19 days (0 is stored as 1)
  ovulation-day N       0 to 59 (0 is stored as 1)
  period-reminder N     days before a period, 0 to 29 (0 = off)
  fertile-reminder N    days before the fertile window, 0 to 29 (0 = off)
  units metric|imperial
  pregnant yes|no
)"}},
    };
    return table;
}

// Log lines are kept while a command runs: a failure is reported as one line
// that says what went wrong, and a success prints none of them.
class LogCollector {
public:
    LogCollector() {
        Log::setSink([this](std::string_view line) { lines_.emplace_back(line); });
    }
    ~LogCollector() { Log::setSink({}); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Opens the diary as the window does: created on first use, checked,
// brought to the current data version and its days to the machine's time
// zone. A diary that cannot be read and written is left as it is and every
// command says why.
void openDiary() {
    LogCollector log;
    checked(SQLiteAccess::checkDiary());
    checked(VersionUpdater().updateToCurrentVersion());
    LocalNotificationCenter reminders(LocalNotificationStore::standard());
    checked(DiaryZoneFollower::followMachineZone(reminders));
}

int run(const std::vector<std::string>& argv) {
    CliArguments arguments(argv);
    if (auto directory = arguments.option("data-dir")) {
        Paths::setDocumentsDirectory(std::filesystem::absolute(*directory));
    }
    // The moment given stands in for the clock, so that the reminders a
    // command plans and the days it stamps count from it too.
    if (auto moment = arguments.option("now")) {
        Clock::setCurrent(
            std::make_shared<ManualClock>(LocalDay::parseTime(*moment, Calendar::current())));
    }
    std::string name = arguments.word(0);
    if (name.empty() || name == "help") {
        std::cout << generalHelp;
        return name.empty() && !arguments.flag("help") ? 2 : 0;
    }
    auto command = commands().find(name);
    if (command == commands().end()) {
        throw UsageError("unknown command " + quotedInput(name) + "; see florelle-cli --help");
    }
    if (arguments.flag("help")) {
        std::cout << command->second.help;
        return 0;
    }
    // Said on stderr once, when an older release left her files open to others.
    PrivateFiles::tightenDiaryFiles();
    if (!command->second.opensDiaryItself) {
        openDiary();
    }
    std::ostringstream out;
    CliContext context{arguments, Calendar::current(), Clock::current()->now(), out};
    LogCollector log;
    command->second.run(context);
    std::cout << out.str();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& error) {
        std::cerr << "florelle-cli: " << error.what() << "\n";
        return 2;
    } catch (const Failure& error) {
        std::cerr << "florelle-cli: " << error.what() << "\n";
        return 1;
    }
}
