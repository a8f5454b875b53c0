#include "SQLiteAccess.h"

#include "foundation/Bundle.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/Uuid.h"
#include "storage/SqliteConnection.h"

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <unistd.h>

namespace florelle {

namespace {

std::mutex cacheMutex;

struct SqliteFree {
    void operator()(char* text) const { sqlite3_free(text); }
};

int multipleRowCallback(void* context, int count, char** values, char** names) {
    Row row;
    for (int i = 0; i < count; ++i) {
        row.set(names[i], values[i] ? Row::Value(values[i]) : std::nullopt);
    }
    static_cast<std::vector<Row>*>(context)->push_back(std::move(row));
    return 0;
}

int singleRowCallback(void* context, int count, char** values, char** names) {
    auto* row = static_cast<Row*>(context);
    for (int i = 0; i < count; ++i) {
        row->set(names[i], values[i] ? Row::Value(values[i]) : std::nullopt);
    }
    return 0;
}

// Says why a diary file cannot be read. Such a file is never replaced: it
// stays where it is for the user to rescue.
void logIfDamaged(int code, const std::filesystem::path& file) {
    std::error_code error;
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT) {
        Log::write(format("The diary file '%@' is damaged; it is left as it is so that it can "
                          "be rescued",
                          file.string()));
    } else if (std::filesystem::file_size(file, error) == 0 && !error) {
        Log::write(format("The diary file '%@' is empty; it is left as it is", file.string()));
    }
}

std::optional<long long> runWrapped(std::string_view wrapper, std::string_view sql) {
    return SQLiteAccess::executeSQL(format(wrapper, sql), nullptr, nullptr);
}

// The statement as it goes to the log, with what the user typed (notes,
// account names, passwords) left out: every quoted text except a settings
// key such as 'CYCLE_LENGTH' reads '...'.
std::string redactedForLog(std::string_view sql) {
    std::string out;
    size_t i = 0;
    while (i < sql.size()) {
        if (sql[i] != '\'') {
            out += sql[i++];
            continue;
        }
        size_t end = i + 1;
        while (end < sql.size() &&
               !(sql[end] == '\'' && (end + 1 >= sql.size() || sql[end + 1] != '\''))) {
            end += sql[end] == '\'' ? 2 : 1;
        }
        std::string_view literal = sql.substr(i + 1, end - i - 1);
        bool isKey =
            literal.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_") == std::string_view::npos;
        out += '\'';
        out += isKey ? std::string(literal) : std::string("...");
        out += '\'';
        i = end + 1;
    }
    return out;
}

constexpr std::string_view transactionWrapper = "BEGIN TRANSACTION; %@; COMMIT TRANSACTION;";
constexpr std::string_view syncWrapper =
    "BEGIN TRANSACTION; %@; DELETE FROM syncEntry WHERE id = (SELECT id FROM syncEntry ORDER BY "
    "id DESC LIMIT 1); COMMIT TRANSACTION;";

} // namespace

SQLiteAccess::Locations SQLiteAccess::locations() {
    Locations where;
    where.templateFile = Bundle::expectedPathForResource("period", "db");
    where.directory = format("%@/period", Paths::documentsDirectory().string());
    where.file = format("%@/%@.db", where.directory.string(), "period");
    return where;
}

bool SQLiteAccess::createDirectory(const std::filesystem::path& directory) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
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
    // own, as the window and the command-line tool may start at once.
    auto partial = where.file;
    partial += format(".%d.partial", getpid());
    std::error_code error;
    std::filesystem::copy_file(where.templateFile, partial,
                               std::filesystem::copy_options::overwrite_existing, error);
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

std::optional<long long> SQLiteAccess::executeSQL(std::string_view sql, RowCallback callback,
                                                  void* context) {
    auto path = pathToDB();
    if (!path) {
        return std::nullopt;
    }
    SqliteConnection connection(*path);
    if (!connection.isOpen()) {
        Log::write(format("Can't open database: %s\n", connection.errorMessage()));
        return std::nullopt;
    }
    std::string batch = format("PRAGMA recursive_triggers = 0; %@", sql);
    char* rawError = nullptr;
    int code = sqlite3_exec(connection.handle(), batch.c_str(), callback, context, &rawError);
    std::unique_ptr<char, SqliteFree> errorText(rawError);
    if (code != SQLITE_OK) {
        Log::write(format("Can't run query '%@' error message: %s\n", redactedForLog(sql),
                          errorText ? errorText.get() : sqlite3_errstr(code)));
        logIfDamaged(code, *path);
        return -static_cast<long long>(code);
    }
    long long rowId = sqlite3_last_insert_rowid(connection.handle());
    return rowId == 0 ? std::nullopt : std::optional<long long>(rowId);
}

std::vector<Row> SQLiteAccess::selectManyRowsWithSQL(std::string_view sql) {
    std::vector<Row> rows;
    if (executeSQL(sql, multipleRowCallback, &rows).value_or(0) < 0) {
        return {};
    }
    return rows;
}

Row SQLiteAccess::selectOneRowWithSQL(std::string_view sql) {
    Row row;
    if (executeSQL(sql, singleRowCallback, &row).value_or(0) < 0) {
        return {};
    }
    return row;
}

Row::Value SQLiteAccess::selectOneValueSQL(std::string_view sql) {
    Row row = selectOneRowWithSQL(sql);
    return row.size() == 1 ? row.columns().front().second : std::nullopt;
}

std::vector<Row::Value> SQLiteAccess::selectManyValuesWithSQL(std::string_view sql) {
    std::vector<Row::Value> values;
    for (const Row& row : selectManyRowsWithSQL(sql)) {
        values.push_back(row.empty() ? std::nullopt : row.columns().front().second);
    }
    return values;
}

std::optional<long long> SQLiteAccess::insertWithSQL(std::string_view sql) {
    return runWrapped(transactionWrapper, sql);
}

void SQLiteAccess::updateWithSQL(std::string_view sql) {
    runWrapped(transactionWrapper, sql);
}

void SQLiteAccess::deleteWithSQL(std::string_view sql) {
    runWrapped(transactionWrapper, sql);
}

void SQLiteAccess::executeWithoutTransaction(std::string_view sql) {
    executeSQL(format("%@;", sql), nullptr, nullptr);
}

std::optional<long long> SQLiteAccess::insertSyncWithSQL(std::string_view sql) {
    return runWrapped(syncWrapper, sql);
}

std::optional<long long> SQLiteAccess::updateSyncWithSQL(std::string_view sql) {
    return runWrapped(syncWrapper, sql);
}

std::optional<long long> SQLiteAccess::deleteSyncWithSQL(std::string_view sql) {
    return runWrapped(syncWrapper, sql);
}

std::string SQLiteAccess::escapeString(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (char c : text) {
        escaped += c;
        if (c == '\'') {
            escaped += '\'';
        }
    }
    return escaped;
}

std::string SQLiteAccess::stringWithUUID() {
    return makeUuidString();
}

} // namespace florelle
