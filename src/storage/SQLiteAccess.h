// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/Row.h"
#include "storage/SqlValue.h"
#include "storage/StoreResult.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

class SqliteConnection;

// The only way into the diary's database file, period.db in the folder
// "period" of the documents directory. The first call puts a copy of the
// template database there; an existing file is never overwritten.
//
// Each thread keeps one connection open for as long as the file stays the
// same one; a file that was replaced or deleted is opened anew. A file that
// is empty or fails its integrity check when it is opened is neither read
// nor written until it is replaced: it stays as it is for rescue. Every
// statement gets values only as parameters, and every call says whether it
// worked.
//
// A file replaced while a thread's transaction is open on it (a restored
// copy took its place) fails that transaction's remaining statements: its
// changes belonged to the diary that was replaced.
class SQLiteAccess {
public:
    // The database file, created from the template when missing; std::nullopt
    // when it cannot be had (the next call tries again).
    static std::optional<std::filesystem::path> pathToDB();

    // This thread's connection to the diary, checked when it is opened.
    static StoreResult<SqliteConnection*> connection();

    // Whether the diary can be read and written now; the failure otherwise.
    // A read-only file reads, but says it cannot be written.
    static StoreStatus checkDiary();

    static StoreResult<std::vector<Row>> selectManyRowsWithSQL(std::string_view sql,
                                                               const SqlParams& params = {});
    // Every row of the result written into one row: later rows win.
    static StoreResult<Row> selectOneRowWithSQL(std::string_view sql, const SqlParams& params = {});
    // The value of a one-column result (the last row's); std::nullopt for no
    // row, more than one column, or NULL.
    static StoreResult<Row::Value> selectOneValueSQL(std::string_view sql,
                                                     const SqlParams& params = {});
    // The first column of each row.
    static StoreResult<std::vector<Row::Value>>
    selectManyValuesWithSQL(std::string_view sql, const SqlParams& params = {});

    // Writes, each wrapped in one transaction (or joining the one that is
    // open): all of the text or nothing. The parameters belong to its first
    // statement. An insert gives the id of the last row it inserted, 0 when
    // it inserted none.
    static StoreResult<long long> insertWithSQL(std::string_view sql, const SqlParams& params = {});
    static StoreStatus updateWithSQL(std::string_view sql, const SqlParams& params = {});
    static StoreStatus deleteWithSQL(std::string_view sql, const SqlParams& params = {});

    // As the writes above, and in the same transaction the newest row of
    // table syncEntry is removed.
    static StoreResult<long long> insertSyncWithSQL(std::string_view sql,
                                                    const SqlParams& params = {});
    static StoreStatus updateSyncWithSQL(std::string_view sql, const SqlParams& params = {});
    static StoreStatus deleteSyncWithSQL(std::string_view sql, const SqlParams& params = {});

    static std::string stringWithUUID();

    // Posted on the writing thread whenever a write did not happen;
    // lastWriteFailure() says why.
    static constexpr const char* writeFailedNotification = "DiaryWriteFailedNotification";
    static std::optional<StoreError> lastWriteFailure();

    // For the storage layer's own building blocks.
    static StoreError failure(int code, std::string_view sql, std::string_view detail);
    static void reportWriteFailure(const StoreError& error);
    // Reads through the whole file once; the problem when it is not sound.
    static std::optional<StoreError> integrityProblem(SqliteConnection& db,
                                                      const std::filesystem::path& file);

    // While it lives, this thread reads and writes `file` instead of the
    // diary: a copy being checked and brought to the current data version
    // before it takes the diary's place. Not for use inside a transaction.
    class ScopedFile {
    public:
        explicit ScopedFile(const std::filesystem::path& file);
        ScopedFile(const ScopedFile&) = delete;
        ScopedFile& operator=(const ScopedFile&) = delete;
        ~ScopedFile();
    };

protected:
    struct PathCache {
        std::filesystem::path documents;
        std::filesystem::path database;
    };
    // Resolves the file as pathToDB does, keeping the result in `cache` for as
    // long as the documents directory stays the same.
    static std::optional<std::filesystem::path> resolvePath(std::optional<PathCache>& cache);

    struct Locations {
        std::filesystem::path templateFile;
        std::filesystem::path directory;
        std::filesystem::path file;
    };
    static Locations locations();
    // Copies the template to `file` without ever replacing an existing file;
    // says why when it cannot.
    static std::optional<std::string> copyTemplate(const Locations& where);
    // The same, logging "error = ..." on failure; true on success.
    static bool copyTemplateLogged(const Locations& where);
    static bool createDirectory(const std::filesystem::path& directory);

private:
    // Runs every statement of `sql`, collecting the rows of results into
    // `rows` when given; the id of the last inserted row.
    static StoreResult<long long> run(std::string_view sql, const SqlParams& params,
                                      std::vector<Row>* rows);
    static StoreResult<long long> write(std::string_view sql, const SqlParams& params,
                                        bool removeNewestSyncEntry);
};

} // namespace florelle
