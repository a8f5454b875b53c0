// SPDX-License-Identifier: GPL-3.0-or-later
#include "SQLiteAccess.h"

#include "foundation/Bundle.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Paths.h"
#include "foundation/PrivateFiles.h"
#include "foundation/Uuid.h"
#include "storage/SqliteConnection.h"
#include "storage/Transaction.h"

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace florelle {

namespace {

std::mutex cacheMutex;

struct StatementFinalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
// Resets a kept statement when the call is done with it, so that no read
// keeps holding the file's lock.
struct StatementReset {
    void operator()(sqlite3_stmt* statement) const { sqlite3_reset(statement); }
};

Row currentRow(sqlite3_stmt* statement) {
    Row row;
    int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        row.set(sqlite3_column_name(statement, i), text ? Row::Value(text) : std::nullopt);
    }
    return row;
}

// Every statement runs to its end: rows are collected, the id of an insert
// remembered. SQLite's code.
int stepThrough(sqlite3_stmt* statement, std::vector<Row>* rows) {
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
        if (rows) {
            rows->push_back(currentRow(statement));
        }
    }
    return code == SQLITE_DONE ? SQLITE_OK : code;
}

bool isSingleStatement(std::string_view sql) {
    auto end = sql.find_last_not_of(" \t\r\n;");
    return end == std::string_view::npos ||
           sql.substr(0, end + 1).find(';') == std::string_view::npos;
}

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};

    static std::optional<FileIdentity> of(const std::filesystem::path& file) {
        struct stat info {};
        if (stat(file.c_str(), &info) != 0) {
            return std::nullopt;
        }
        return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    }
    bool sameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    bool unchanged(const FileIdentity& other) const {
        return sameFile(other) && size == other.size && modified.tv_sec == other.modified.tv_sec &&
               modified.tv_nsec == other.modified.tv_nsec;
    }
};

// The connection a thread keeps to the diary file.
struct KeptConnection {
    std::filesystem::path file;
    FileIdentity identity;
    std::unique_ptr<SqliteConnection> connection;
    // Set when the file is empty or damaged: then it is left alone until it
    // changes.
    std::optional<StoreError> unusable;
    pid_t owner = getpid();
    // A write was refused: the file or its folder may be writable again by
    // the next action, which then needs a connection opened anew.
    bool reopen = false;
};

thread_local std::optional<KeptConnection> kept;
thread_local std::optional<StoreError> lastFailure;
thread_local std::optional<std::filesystem::path> scopedFile;

std::filesystem::path currentFile() {
    return kept ? kept->file : Paths::documentsDirectory() / "period" / "period.db";
}

StoreError::Kind kindOf(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreError::Kind::busy;
    case SQLITE_FULL:
        return StoreError::Kind::full;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return StoreError::Kind::readOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StoreError::Kind::damaged;
    default:
        return StoreError::Kind::failed;
    }
}

void logDamaged(const std::filesystem::path& file) {
    Log::write(format("The diary file '%@' is damaged; it is left as it is so that it can be "
                      "rescued",
                      file.string()));
}

} // namespace

// A damaged diary must not be written. The full check, as the quicker one
// does not see an index that disagrees with its table (and a unique index is
// what keeps one row per day).
std::optional<StoreError> SQLiteAccess::integrityProblem(SqliteConnection& db,
                                                         const std::filesystem::path& file) {
    sqlite3_stmt* raw = nullptr;
    int code = sqlite3_prepare_v2(db.handle(), "PRAGMA integrity_check", -1, &raw, nullptr);
    std::unique_ptr<sqlite3_stmt, StatementFinalize> statement(raw);
    std::vector<Row> rows;
    if (code == SQLITE_OK) {
        code = stepThrough(raw, &rows);
    }
    if (code != SQLITE_OK) {
        Log::write(format("Can't run query 'PRAGMA integrity_check' error message: %@",
                          db.errorMessage()));
        return StoreError{kindOf(code), file.string(), db.errorMessage()};
    }
    std::string verdict = rows.empty() ? "" : rows.front().text("integrity_check").value_or("");
    if (verdict == "ok") {
        return std::nullopt;
    }
    return StoreError{StoreError::Kind::damaged, file.string(), verdict};
}

std::string StoreError::message() const {
    const char* what = "could not be used";
    switch (kind) {
    case Kind::unavailable:
        what = "cannot be created or opened";
        break;
    case Kind::damaged:
        what = "is damaged";
        break;
    case Kind::empty:
        what = "is empty";
        break;
    case Kind::readOnly:
        what = "cannot be written";
        break;
    case Kind::busy:
        what = "is held by another program";
        break;
    case Kind::full:
        what = "cannot grow: the disk is full";
        break;
    case Kind::failed:
        break;
    }
    std::string text = "The diary file '" + file + "' " + what;
    if (!detail.empty()) {
        text += " (" + detail + ")";
    }
    bool keptForRescue = kind == Kind::damaged || kind == Kind::empty;
    return text + (keptForRescue ? "; it is left as it is so that it can be rescued, and nothing "
                                   "was changed."
                                 : "; nothing was changed.");
}

StoreError SQLiteAccess::failure(int code, std::string_view sql, std::string_view detail) {
    Log::write(format("Can't run query '%@' error message: %@", sql, detail));
    StoreError::Kind kind = kindOf(code);
    StoreError error{kind, currentFile().string(), std::string(detail)};
    if (kind == StoreError::Kind::readOnly && kept) {
        kept->reopen = true;
    }
    if (kind == StoreError::Kind::damaged && kept && !kept->unusable) {
        logDamaged(kept->file);
        kept->unusable = error;
    }
    return error;
}

void SQLiteAccess::reportWriteFailure(const StoreError& error) {
    lastFailure = error;
    NotificationCenter::defaultCenter().post(writeFailedNotification);
}

std::optional<StoreError> SQLiteAccess::lastWriteFailure() {
    return lastFailure;
}

SQLiteAccess::Locations SQLiteAccess::locations() {
    Locations where;
    where.templateFile = Bundle::expectedPathForResource("period", "db");
    where.directory = Paths::documentsDirectory() / "period";
    where.file = where.directory / "period.db";
    return where;
}

bool SQLiteAccess::createDirectory(const std::filesystem::path& directory) {
    if (auto error = PrivateFiles::ensureDirectory(directory)) {
        Log::write("failed to create dir");
        Log::write(format("Cannot create '%@': %@", directory.string(), error.message()));
        return false;
    }
    return true;
}

std::optional<std::string> SQLiteAccess::copyTemplate(const Locations& where) {
    // Copy beside the target, then move it into place only if no file is
    // there: a half-written copy never becomes the diary, and a diary that
    // appeared meanwhile is never replaced. The partial name is the process's
    // own, as the window and the command-line tool may start at once; one
    // that a killed run left is removed by a later one.
    PrivateFiles::removeStaleTemporaries(where.file);
    std::string partialName = format("%@.%d.XXXXXX", where.file.string(), getpid());
    int descriptor = mkstemp(partialName.data());
    std::filesystem::path partial = partialName;
    std::error_code error;
    if (descriptor < 0) {
        error = std::error_code(errno, std::generic_category());
    } else {
        close(descriptor);
        std::filesystem::copy_file(where.templateFile, partial,
                                   std::filesystem::copy_options::overwrite_existing, error);
    }
    if (!error) {
        error = PrivateFiles::makePrivate(partial);
    }
    if (!error &&
        renameat2(AT_FDCWD, partial.c_str(), AT_FDCWD, where.file.c_str(), RENAME_NOREPLACE) != 0) {
        error = std::error_code(errno, std::generic_category());
    }
    if (!error) {
        return std::nullopt;
    }
    std::error_code ignored;
    std::filesystem::remove(partial, ignored);
    return format("Cannot copy the template '%@' to '%@': %@", where.templateFile.string(),
                  where.file.string(), error.message());
}

bool SQLiteAccess::copyTemplateLogged(const Locations& where) {
    auto failure = copyTemplate(where);
    if (failure) {
        Log::write(format("error = %@", *failure));
    }
    return !failure;
}

std::optional<std::filesystem::path> SQLiteAccess::resolvePath(std::optional<PathCache>& cache) {
    // A file deleted while the program runs is copied again from the template
    // instead of being opened as a new, empty database.
    auto documents = Paths::documentsDirectory();
    std::error_code error;
    if (cache && cache->documents == documents && std::filesystem::exists(cache->database, error)) {
        return cache->database;
    }
    Locations where = locations();
    auto status = std::filesystem::status(where.directory, error);
    bool resolved = false;
    if (!std::filesystem::exists(status)) {
        createDirectory(where.directory);
        resolved = copyTemplateLogged(where);
    } else if (std::filesystem::is_directory(status)) {
        auto fileStatus = std::filesystem::status(where.file, error);
        if (std::filesystem::exists(fileStatus)) {
            resolved = true;
        } else {
            resolved = copyTemplateLogged(where);
        }
    } else {
        Log::write(
            format("'%@' is not a folder; the diary cannot be opened", where.directory.string()));
    }
    if (!resolved) {
        return std::nullopt;
    }
    cache = PathCache{documents, where.file};
    return where.file;
}

std::optional<std::filesystem::path> SQLiteAccess::pathToDB() {
    static std::optional<PathCache> cache;
    std::lock_guard lock(cacheMutex);
    return resolvePath(cache);
}

SQLiteAccess::ScopedFile::ScopedFile(const std::filesystem::path& file) {
    kept.reset();
    scopedFile = file;
}

SQLiteAccess::ScopedFile::~ScopedFile() {
    kept.reset();
    scopedFile.reset();
}

StoreResult<SqliteConnection*> SQLiteAccess::connection() {
    auto path = scopedFile ? scopedFile : pathToDB();
    std::optional<FileIdentity> identity;
    if (path) {
        identity = FileIdentity::of(*path);
    }
    if (!identity) {
        Locations where = locations();
        std::error_code error;
        bool folderIsFile = std::filesystem::exists(where.directory, error) &&
                            !std::filesystem::is_directory(where.directory, error);
        return StoreError{StoreError::Kind::unavailable, where.file.string(),
                          folderIsFile ? format("'%@' is not a folder", where.directory.string())
                                       : "it cannot be made from the template there"};
    }
    if (kept && kept->owner != getpid()) {
        // A connection must not cross fork(): the child leaves its parent's
        // alone (closing it would drop locks and files the parent still uses)
        // and opens its own.
        static_cast<void>(kept->connection.release());
        kept.reset();
    }
    // A connection that could not write is opened anew once the diary can be
    // written; a read before then keeps it, so the mark is not lost.
    if (kept && kept->reopen && !kept->connection->inTransaction() &&
        access(kept->file.c_str(), W_OK) == 0 &&
        access(kept->file.parent_path().c_str(), W_OK) == 0) {
        kept.reset();
    }
    if (kept && kept->file == *path && kept->identity.sameFile(*identity)) {
        if (!kept->unusable) {
            return kept->connection.get();
        }
        if (kept->identity.unchanged(*identity)) {
            return *kept->unusable;
        }
    }
    if (kept && kept->connection && kept->connection->inTransaction()) {
        // The open transaction can only end, undone; the next one opens
        // the file that is there now.
        return StoreError{StoreError::Kind::failed, kept->file.string(),
                          "it was replaced while it was being changed"};
    }
    kept.reset();
    KeptConnection fresh{*path, *identity, nullptr, std::nullopt, getpid(), false};
    if (identity->size == 0) {
        Log::write(format("The diary file '%@' is empty; it is left as it is", path->string()));
        fresh.unusable = StoreError{StoreError::Kind::empty, path->string(), ""};
        kept = std::move(fresh);
        return *kept->unusable;
    }
    PrivateFiles::tighten(*path);
    PrivateFiles::tighten(path->string() + "-journal");
    fresh.connection = std::make_unique<SqliteConnection>(*path);
    if (!fresh.connection->isOpen()) {
        Log::write(format("Can't open database: %@", fresh.connection->errorMessage()));
        return StoreError{StoreError::Kind::unavailable, path->string(),
                          fresh.connection->errorMessage()};
    }
    if (auto problem = integrityProblem(*fresh.connection, *path)) {
        if (problem->kind != StoreError::Kind::damaged) {
            return *problem; // busy or unreadable for now: look again next time
        }
        logDamaged(*path);
        fresh.unusable = problem;
    }
    kept = std::move(fresh);
    if (kept->unusable) {
        return *kept->unusable;
    }
    return kept->connection.get();
}

StoreStatus SQLiteAccess::checkDiary() {
    // A fresh look at the file as it is now, whatever was read before.
    if (kept && (!kept->connection || !kept->connection->inTransaction())) {
        kept.reset();
    }
    auto db = connection();
    if (!db) {
        return db.error();
    }
    auto file = kept->file;
    if (sqlite3_db_readonly((*db)->handle(), "main") == 1 || access(file.c_str(), W_OK) != 0 ||
        access(file.parent_path().c_str(), W_OK) != 0) {
        kept->reopen = true;
        return StoreError{StoreError::Kind::readOnly, file.string(), "no permission to write"};
    }
    // The settings must be there for any rule to work.
    return StoreStatus::of(selectOneValueSQL("SELECT COUNT(*) FROM settings"));
}

StoreResult<long long> SQLiteAccess::run(std::string_view sql, const SqlParams& params,
                                         std::vector<Row>* rows) {
    auto connected = connection();
    if (!connected) {
        return connected.error();
    }
    SqliteConnection& db = **connected;
    sqlite3_set_last_insert_rowid(db.handle(), 0);
    int code = SQLITE_OK;
    if (isSingleStatement(sql)) {
        std::unique_ptr<sqlite3_stmt, StatementReset> statement(db.prepared(sql, params, code));
        if (statement) {
            code = stepThrough(statement.get(), rows);
        }
    } else {
        // A batch of several statements, prepared one after the other.
        const char* next = sql.data();
        const char* end = sql.data() + sql.size();
        bool first = true;
        while (code == SQLITE_OK && next < end) {
            sqlite3_stmt* raw = nullptr;
            code = sqlite3_prepare_v2(db.handle(), next, static_cast<int>(end - next), &raw, &next);
            std::unique_ptr<sqlite3_stmt, StatementFinalize> statement(raw);
            if (code != SQLITE_OK || !raw) {
                continue;
            }
            code = bindParameters(raw, first ? params : SqlParams{});
            first = false;
            if (code == SQLITE_OK) {
                code = stepThrough(raw, rows);
            }
        }
    }
    if (code != SQLITE_OK) {
        return failure(code, sql, db.errorMessage());
    }
    return static_cast<long long>(sqlite3_last_insert_rowid(db.handle()));
}

StoreResult<long long> SQLiteAccess::write(std::string_view sql, const SqlParams& params,
                                           bool removeNewestSyncEntry) {
    auto transaction = Transaction::begin();
    if (!transaction) {
        reportWriteFailure(transaction.error());
        return transaction.error();
    }
    auto id = run(sql, params, nullptr);
    if (id && removeNewestSyncEntry) {
        auto removed = run("DELETE FROM syncEntry WHERE id = (SELECT id FROM syncEntry ORDER BY id "
                           "DESC LIMIT 1)",
                           {}, nullptr);
        if (!removed) {
            id = removed.error();
        }
    }
    if (!id) {
        reportWriteFailure(id.error());
        return id;
    }
    if (auto committed = transaction.value().commit(); !committed) {
        return committed.error();
    }
    return id;
}

StoreResult<std::vector<Row>> SQLiteAccess::selectManyRowsWithSQL(std::string_view sql,
                                                                  const SqlParams& params) {
    std::vector<Row> rows;
    if (auto done = run(sql, params, &rows); !done) {
        return done.error();
    }
    return rows;
}

StoreResult<Row> SQLiteAccess::selectOneRowWithSQL(std::string_view sql, const SqlParams& params) {
    auto rows = selectManyRowsWithSQL(sql, params);
    if (!rows) {
        return rows.error();
    }
    Row merged;
    for (const Row& row : *rows) {
        for (const auto& [name, value] : row.columns()) {
            merged.set(name, value);
        }
    }
    return merged;
}

StoreResult<Row::Value> SQLiteAccess::selectOneValueSQL(std::string_view sql,
                                                        const SqlParams& params) {
    auto row = selectOneRowWithSQL(sql, params);
    if (!row) {
        return row.error();
    }
    return row->size() == 1 ? row->columns().front().second : std::nullopt;
}

StoreResult<std::vector<Row::Value>>
SQLiteAccess::selectManyValuesWithSQL(std::string_view sql, const SqlParams& params) {
    auto rows = selectManyRowsWithSQL(sql, params);
    if (!rows) {
        return rows.error();
    }
    std::vector<Row::Value> values;
    for (const Row& row : *rows) {
        values.push_back(row.empty() ? std::nullopt : row.columns().front().second);
    }
    return values;
}

StoreResult<long long> SQLiteAccess::insertWithSQL(std::string_view sql, const SqlParams& params) {
    return write(sql, params, false);
}

StoreStatus SQLiteAccess::updateWithSQL(std::string_view sql, const SqlParams& params) {
    return StoreStatus::of(write(sql, params, false));
}

StoreStatus SQLiteAccess::deleteWithSQL(std::string_view sql, const SqlParams& params) {
    return StoreStatus::of(write(sql, params, false));
}

StoreResult<long long> SQLiteAccess::insertSyncWithSQL(std::string_view sql,
                                                       const SqlParams& params) {
    return write(sql, params, true);
}

StoreStatus SQLiteAccess::updateSyncWithSQL(std::string_view sql, const SqlParams& params) {
    return StoreStatus::of(write(sql, params, true));
}

StoreStatus SQLiteAccess::deleteSyncWithSQL(std::string_view sql, const SqlParams& params) {
    return StoreStatus::of(write(sql, params, true));
}

std::string SQLiteAccess::stringWithUUID() {
    return makeUuidString();
}

} // namespace florelle
