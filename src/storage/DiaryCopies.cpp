// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryCopies.h"

#include "foundation/FileDescriptor.h"
#include "foundation/Format.h"
#include "foundation/IsoDay.h"
#include "foundation/PrivateFiles.h"
#include "foundation/Strings.h"
#include "storage/DiaryTimeZone.h"
#include "storage/SQLiteAccess.h"
#include "storage/SqliteConnection.h"
#include "storage/VersionUpdater.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>
#include <vector>

namespace florelle {

namespace {

using Refusal = DiaryCopies::Refusal;

struct Problem {
    Refusal refusal;
    std::string detail;
};

// The tables the diary needs, each with its columns in their order: some
// statements insert whole rows by position. Data version 100 has no
// hasData yet; its update adds it.
struct Table {
    const char* name;
    std::vector<std::string> columns;
};
const Table neededTables[] = {
    {"dates", {"id", "date", "hasData"}},
    {"periods", {"id", "startDate", "endDate"}},
    {"note", {"dateId", "noteText", "editTime"}},
    {"intimate", {"dateId", "isIntimate"}},
    {"weights", {"weight", "dateId"}},
    {"temperatures", {"temperature", "dateId"}},
    {"moods", {"id", "moodName", "imgName"}},
    {"symptoms", {"id", "symptomName", "imgName"}},
    {"usedMoods", {"dateId", "moodId"}},
    {"usedSymptoms", {"dateId", "symptomId"}},
    {"settings", {"name", "value"}},
    {"syncEntry", {"id", "entryKind", "entryDate", "entryUrl"}},
};
constexpr int versionWithoutDataCount = 100;

// Every setting the program reads or writes; a missing row would silently
// swallow what is saved to it.
const char* const neededSettings[] = {"APP_PASSWORD",
                                      "GOOGLE_USERNAME",
                                      "GOOGLE_PASS",
                                      "FIRST_TIME_ON",
                                      "FIRST_TIME_SYNC",
                                      "SI_UNITS",
                                      "PREGNANT",
                                      "PREGNANT_START_DATE",
                                      "PERIOD_NOTIFICATION",
                                      "FERTILE_NOTIFICATION",
                                      "OVULATION_DAY",
                                      "PERIOD_LENGTH",
                                      "CYCLE_LENGTH",
                                      "IS_START_DATE",
                                      "SKIN",
                                      "AGE",
                                      "APP_VERSION"};

std::string systemError(int code) {
    return std::strerror(code);
}

// A read-only look at the file to restore from.
class SourceDatabase {
public:
    explicit SourceDatabase(const std::filesystem::path& file) {
        code_ = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
        if (code_ == SQLITE_OK) {
            sqlite3_busy_timeout(db_, SqliteConnection::busyTimeoutMilliseconds);
        }
    }
    SourceDatabase(const SourceDatabase&) = delete;
    SourceDatabase& operator=(const SourceDatabase&) = delete;
    ~SourceDatabase() { sqlite3_close(db_); }
    sqlite3* handle() const { return db_; }
    int openCode() const { return code_; }

private:
    sqlite3* db_ = nullptr;
    int code_ = SQLITE_OK;
};

// Every page of `from` into `to` in one step: one read transaction, so the
// copy holds the diary as it was at one moment. SQLite's code.
int copyPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) {
        return sqlite3_errcode(to);
    }
    int stepped = sqlite3_backup_step(backup, -1);
    int finished = sqlite3_backup_finish(backup);
    return stepped == SQLITE_DONE ? finished : stepped;
}

// A read transaction on the diary for as long as it lives: the copy is taken
// inside it, so every page comes from one moment. Taken by a statement,
// which waits for a writer's lock as every read of the diary does.
class ReadMoment {
public:
    explicit ReadMoment(sqlite3* db) : db_(db) {
        code_ = sqlite3_exec(db_, "BEGIN; SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr,
                             nullptr);
    }
    ReadMoment(const ReadMoment&) = delete;
    ReadMoment& operator=(const ReadMoment&) = delete;
    ~ReadMoment() {
        if (sqlite3_get_autocommit(db_) == 0) {
            sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        }
    }
    int code() const { return code_; }

private:
    sqlite3* db_;
    int code_;
};

std::error_code ioError() {
    return std::make_error_code(std::errc::io_error);
}

// A file beside the diary that becomes the diary or is removed. Named as
// the storage layer names its temporary files, so that one left by a killed
// run is removed later.
class StagedCopy {
public:
    explicit StagedCopy(const std::filesystem::path& diary) {
        PrivateFiles::removeStaleTemporaries(diary);
        path_ = format("%@.%d.XXXXXX", diary.string(), getpid());
        FileDescriptor made(mkostemp(path_.data(), O_CLOEXEC));
        if (!made.isValid()) {
            error_ = systemError(errno);
            path_.clear();
        }
    }
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;
    ~StagedCopy() {
        if (!path_.empty()) {
            unlink(path_.c_str());
            unlink((path_ + "-journal").c_str());
        }
    }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }
    void placed() { path_.clear(); }

private:
    std::string path_;
    std::string error_;
};

std::optional<Problem> copyInto(const std::filesystem::path& source, const std::string& staged) {
    SourceDatabase from(source);
    SqliteConnection to(staged);
    int code = from.openCode() != SQLITE_OK ? from.openCode()
               : to.isOpen()                ? copyPages(from.handle(), to.handle())
                                            : to.openCode();
    switch (code & 0xff) {
    case SQLITE_OK:
        return std::nullopt;
    case SQLITE_NOTADB:
        return Problem{Refusal::notADatabase, Strings::localized("Copy not a database Key")};
    case SQLITE_CORRUPT:
        return Problem{Refusal::damaged,
                       Strings::localizedFormat("Copy damaged Key", sqlite3_errstr(code))};
    default:
        return Problem{Refusal::unreadable,
                       Strings::localizedFormat("Copy unreadable Key", sqlite3_errstr(code))};
    }
}

std::vector<std::string> columnsOf(const char* table) {
    std::vector<std::string> columns;
    auto rows = SQLiteAccess::selectManyValuesWithSQL("SELECT name FROM pragma_table_info(?)",
                                                      {std::string_view(table)});
    for (const auto& value : rows.value_or(std::vector<Row::Value>{})) {
        columns.push_back(value.value_or(""));
    }
    return columns;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// The data version of a copy that has the settings table.
std::variant<int, Problem> versionOf() {
    auto stored = SQLiteAccess::selectOneValueSQL("SELECT value FROM settings WHERE name = ?",
                                                  {std::string_view("APP_VERSION")});
    std::string text = stored.value_or(std::nullopt).value_or("");
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return Problem{Refusal::notADiary, Strings::localized("Copy without data version Key")};
    }
    int version = std::stoi(text);
    if (version > VersionUpdater::currentVersion) {
        return Problem{Refusal::tooNew, Strings::localizedFormat("Copy too new Key", version,
                                                                 VersionUpdater::currentVersion)};
    }
    if (!VersionUpdater::canUpdateFrom(version)) {
        return Problem{Refusal::unknownVersion,
                       Strings::localizedFormat("Copy of unknown version Key", version)};
    }
    return version;
}

// Whether the copy that this thread now reads is a diary this release can
// bring to its current version.
std::optional<Problem> checkCopy() {
    if (auto db = SQLiteAccess::connection(); !db) {
        const StoreError& error = db.error();
        bool damaged = error.kind == StoreError::Kind::damaged;
        return Problem{damaged ? Refusal::damaged : Refusal::unreadable,
                       Strings::localizedFormat(
                           damaged ? "Copy damaged Key" : "Copy unreadable Key", error.detail)};
    }
    if (columnsOf("settings") != std::vector<std::string>{"name", "value"}) {
        return Problem{Refusal::notADiary,
                       Strings::localizedFormat("Copy without table Key", "settings")};
    }
    auto version = versionOf();
    if (auto* problem = std::get_if<Problem>(&version)) {
        return *problem;
    }
    for (const Table& table : neededTables) {
        std::vector<std::string> wanted = table.columns;
        if (std::get<int>(version) == versionWithoutDataCount && wanted.back() == "hasData") {
            wanted.pop_back();
        }
        std::vector<std::string> found = columnsOf(table.name);
        if (found.empty()) {
            return Problem{Refusal::notADiary,
                           Strings::localizedFormat("Copy without table Key", table.name)};
        }
        if (found != wanted) {
            return Problem{Refusal::notADiary,
                           Strings::localizedFormat("Copy table columns Key", table.name,
                                                    listed(found), listed(wanted))};
        }
    }
    for (const char* key : neededSettings) {
        auto count = SQLiteAccess::selectOneValueSQL("SELECT COUNT(*) FROM settings WHERE name = ?",
                                                     {std::string_view(key)});
        if (Row::integerValue(count.value_or(std::nullopt)) == 0) {
            return Problem{Refusal::notADiary,
                           Strings::localizedFormat("Copy without setting Key", key)};
        }
    }
    return std::nullopt;
}

// Holds the diary while it is replaced, so that no program is in the middle
// of a change then and none begins one on the old file.
class DiaryHold {
public:
    explicit DiaryHold(const std::filesystem::path& diary) : db_(diary) {
        code_ = db_.isOpen()
                    ? sqlite3_exec(db_.handle(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr)
                    : db_.openCode();
    }
    DiaryHold(const DiaryHold&) = delete;
    DiaryHold& operator=(const DiaryHold&) = delete;
    ~DiaryHold() {
        if (db_.inTransaction()) {
            sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    // Held, or nobody can change it anyway: damaged, or not writable.
    bool replaceable() const {
        switch (code_ & 0xff) {
        case SQLITE_OK:
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
            return true;
        default:
            return false;
        }
    }
    std::string reason() const {
        return (code_ & 0xff) == SQLITE_BUSY ? "another program held it past the time-out"
                                             : sqlite3_errstr(code_);
    }

private:
    SqliteConnection db_;
    int code_ = SQLITE_OK;
};

// "period-2027-03-01.db" beside the diary, or "-2" … when that is taken: the
// same file as the diary, under a second name.
std::optional<std::filesystem::path> keepDated(const std::filesystem::path& diary,
                                               const Calendar& calendar, Date now,
                                               std::string& failure) {
    std::string stem = "period-" + IsoDay::format(now, calendar);
    for (int attempt = 1; attempt < 100; ++attempt) {
        std::string name = stem + (attempt > 1 ? format("-%d", attempt) : "") + ".db";
        std::filesystem::path kept = diary.parent_path() / name;
        if (link(diary.c_str(), kept.c_str()) == 0) {
            return kept;
        }
        if (errno != EEXIST) {
            // A file system without second names gets a copy.
            std::error_code error;
            if (std::filesystem::copy_file(diary, kept, error) &&
                !PrivateFiles::makePrivate(kept)) {
                return kept;
            }
            failure = format("Cannot keep the diary as '%@': %@", kept.string(),
                             error ? error.message() : systemError(errno));
            return std::nullopt;
        }
    }
    failure = "Cannot keep the diary: every dated name of today is taken";
    return std::nullopt;
}

void syncFolder(const std::filesystem::path& folder) {
    FileDescriptor directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isValid()) {
        fsync(directory.get());
    }
}

} // namespace

std::optional<std::string> DiaryCopies::backup(const std::filesystem::path& target) {
    auto db = SQLiteAccess::connection();
    if (!db) {
        return db.error().message();
    }
    auto diary = SQLiteAccess::pathToDB();
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) {
        return format("'%@' is a folder; name the file the copy goes to", target.string());
    }
    if (diary && std::filesystem::equivalent(target, *diary, error)) {
        return format("'%@' is the diary itself", target.string());
    }
    std::string detail;
    error = PrivateFiles::writeAtomically(target, [&](const std::filesystem::path& temporary) {
        SqliteConnection copy(temporary);
        ReadMoment moment((*db)->handle());
        int code = !copy.isOpen()               ? copy.openCode()
                   : moment.code() != SQLITE_OK ? moment.code()
                                                : copyPages((*db)->handle(), copy.handle());
        if (code != SQLITE_OK) {
            detail = (code & 0xff) == SQLITE_BUSY
                         ? "another program held the diary past the time-out"
                         : sqlite3_errstr(code);
            return ioError();
        }
        if (auto problem = SQLiteAccess::integrityProblem(copy, temporary)) {
            detail = "the copy is not sound: " + problem->detail;
            return ioError();
        }
        return std::error_code();
    });
    if (!error) {
        return std::nullopt;
    }
    return format("Cannot write the copy '%@': %@", target.string(),
                  detail.empty() ? error.message() : detail);
}

DiaryCopies::Restored DiaryCopies::restore(const std::filesystem::path& source,
                                           const Calendar& calendar, Date now) {
    Restored restored;
    auto refused = [&](const Problem& problem) {
        restored.refusal = problem.refusal;
        restored.detail = problem.detail;
        return restored;
    };
    auto failed = [&](std::string detail) {
        restored.detail = std::move(detail);
        return restored;
    };
    auto diary = SQLiteAccess::pathToDB();
    if (!diary) {
        return failed("The diary's folder cannot be had");
    }
    struct stat from {};
    if (stat(source.c_str(), &from) != 0) {
        return refused({Refusal::unreadable,
                        Strings::localizedFormat("Copy unreadable Key", systemError(errno))});
    }
    if (!S_ISREG(from.st_mode)) {
        return refused({Refusal::unreadable, Strings::localized("Copy not a file Key")});
    }
    std::error_code error;
    if (std::filesystem::equivalent(source, *diary, error)) {
        return refused({Refusal::isTheDiary, Strings::localized("Copy is the diary Key")});
    }

    StagedCopy staged(*diary);
    if (staged.path().empty()) {
        return failed(format("Cannot make a copy beside the diary: %@", staged.error()));
    }
    if (auto problem = copyInto(source, staged.path())) {
        return refused(*problem);
    }
    {
        SQLiteAccess::ScopedFile reading(staged.path());
        if (auto problem = checkCopy()) {
            return refused(*problem);
        }
        if (auto updated = VersionUpdater().updateToCurrentVersion(); !updated) {
            return failed(updated.error().message());
        }
        // A copy made in another zone comes with its days in this one.
        if (auto followed = DiaryTimeZone::follow(calendar.timeZone()); !followed) {
            return failed(followed.error().message());
        }
    }

    bool hadDiary = std::filesystem::exists(*diary, error);
    DiaryHold hold(*diary);
    if (hadDiary && !hold.replaceable()) {
        return failed(
            format("The diary '%@' was left as it was: %@", diary->string(), hold.reason()));
    }
    if (hadDiary) {
        std::string failure;
        restored.keptCopy = keepDated(*diary, calendar, now, failure);
        if (!restored.keptCopy) {
            return failed(failure);
        }
    }
    // A journal left by a change that never ended belongs to the diary that
    // is kept, never to the copy that takes its place.
    std::string journal = diary->string() + "-journal";
    bool movedJournal =
        restored.keptCopy && access(journal.c_str(), F_OK) == 0 &&
        rename(journal.c_str(), (restored.keptCopy->string() + "-journal").c_str()) == 0;
    if (rename(staged.path().c_str(), diary->c_str()) != 0) {
        int reason = errno;
        if (movedJournal) {
            rename((restored.keptCopy->string() + "-journal").c_str(), journal.c_str());
        }
        if (restored.keptCopy) {
            unlink(restored.keptCopy->c_str());
            restored.keptCopy.reset();
        }
        return failed(format("Cannot put the copy in the diary's place: %@", systemError(reason)));
    }
    staged.placed();
    syncFolder(diary->parent_path());
    return restored;
}

} // namespace florelle
