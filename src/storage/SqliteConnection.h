// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/SqlValue.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace florelle {

// One open connection to a database file, closed when it goes out of scope.
// Every connection waits up to a few seconds for another process's lock
// instead of failing at once: the window, the reminder helper and the
// command-line tool may write to the same file at the same moment.
class SqliteConnection {
public:
    explicit SqliteConnection(const std::filesystem::path& file);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection();

    static constexpr int busyTimeoutMilliseconds = 5000;

    bool isOpen() const { return openCode_ == 0; }
    int openCode() const { return openCode_; }
    sqlite3* handle() const { return db_; }
    std::string errorMessage() const;
    // Whether a transaction is open on this connection.
    bool inTransaction() const;

    // A statement prepared once and kept for the connection's life: the
    // record store asks the same few questions again and again. The
    // statement comes back reset with its parameters bound; `code` says why
    // when there is none.
    sqlite3_stmt* prepared(std::string_view sql, const SqlParams& params, int& code);

private:
    struct StatementFree {
        void operator()(sqlite3_stmt* statement) const;
    };

    sqlite3* db_ = nullptr;
    int openCode_ = 0;
    std::unordered_map<std::string, std::unique_ptr<sqlite3_stmt, StatementFree>> statements_;
};

// Binds each parameter to its place (1, 2, …); SQLite's code.
int bindParameters(sqlite3_stmt* statement, const SqlParams& params);

} // namespace florelle
