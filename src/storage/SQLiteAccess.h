#pragma once

#include "storage/Row.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// The only way into the diary's database file, period.db in the folder
// "period" of the documents directory. The first call puts a copy of the
// template database there; an existing file is never overwritten. Every call
// opens the file, runs one batch and closes it again. Failures are logged and
// read as empty results; nothing is thrown.
class SQLiteAccess {
public:
    // The database file, created from the template when missing; std::nullopt
    // when it cannot be had (the next call tries again).
    static std::optional<std::filesystem::path> pathToDB();

    // Called by sqlite3_exec once per result row; must return 0.
    using RowCallback = int (*)(void* context, int count, char** values, char** names);

    // Runs the batch. Returns the negated SQLite code when it fails, the id of
    // the last row this batch inserted, or std::nullopt when it inserted none
    // or the file could not be opened.
    static std::optional<long long> executeSQL(std::string_view sql, RowCallback callback,
                                               void* context);

    static std::vector<Row> selectManyRowsWithSQL(std::string_view sql);
    // Every row of the result written into one row: later rows win.
    static Row selectOneRowWithSQL(std::string_view sql);
    // The value of a one-column result (the last row's); std::nullopt for no
    // row, more than one column, or NULL.
    static Row::Value selectOneValueSQL(std::string_view sql);
    // The first column of each row.
    static std::vector<Row::Value> selectManyValuesWithSQL(std::string_view sql);

    // Writes, each wrapped in one transaction: all of the text or nothing.
    static std::optional<long long> insertWithSQL(std::string_view sql);
    static void updateWithSQL(std::string_view sql);
    static void deleteWithSQL(std::string_view sql);
    static void executeWithoutTransaction(std::string_view sql);

    // As the writes above, and in the same transaction the newest row of
    // table syncEntry is removed.
    static std::optional<long long> insertSyncWithSQL(std::string_view sql);
    static std::optional<long long> updateSyncWithSQL(std::string_view sql);
    static std::optional<long long> deleteSyncWithSQL(std::string_view sql);

    // The text made safe between single quotes in SQL: every ' doubled.
    static std::string escapeString(std::string_view text);
    static std::string stringWithUUID();

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
};

} // namespace florelle
