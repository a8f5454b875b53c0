// SPDX-License-Identifier: GPL-3.0-or-later
#include "Transaction.h"

#include "storage/SQLiteAccess.h"
#include "storage/SqliteConnection.h"

#include <sqlite3.h>

namespace florelle {

namespace {

int execute(SqliteConnection& connection, const std::string& sql) {
    return sqlite3_exec(connection.handle(), sql.c_str(), nullptr, nullptr, nullptr);
}

} // namespace

StoreResult<Transaction> Transaction::begin() {
    for (bool retried = false;; retried = true) {
        auto connection = SQLiteAccess::connection();
        if (!connection) {
            return connection.error();
        }
        SqliteConnection& db = **connection;
        static thread_local unsigned depth = 0;
        std::string savepoint = db.inTransaction() ? "florelle_" + std::to_string(++depth) : "";
        int code = execute(db, savepoint.empty() ? "BEGIN IMMEDIATE" : "SAVEPOINT " + savepoint);
        if (code != SQLITE_OK) {
            return SQLiteAccess::failure(code, "BEGIN IMMEDIATE", db.errorMessage());
        }
        if (!savepoint.empty()) {
            return Transaction(db, savepoint);
        }
        // The lock may have been granted on a file that a restored copy
        // replaced while this waited for it: then the new file is the diary.
        auto current = SQLiteAccess::connection();
        if (current && *current == &db) {
            return Transaction(db, savepoint);
        }
        execute(db, "ROLLBACK");
        if (retried) {
            return current ? SQLiteAccess::failure(SQLITE_BUSY, "BEGIN IMMEDIATE",
                                                   "the diary was replaced twice meanwhile")
                           : current.error();
        }
    }
}

Transaction::Transaction(Transaction&& other) noexcept
    : connection_(other.connection_), savepoint_(std::move(other.savepoint_)), open_(other.open_) {
    other.open_ = false;
}

Transaction::~Transaction() {
    if (open_) {
        rollback();
    }
}

StoreStatus Transaction::commit() {
    open_ = false;
    std::string sql = savepoint_.empty() ? "COMMIT" : "RELEASE " + savepoint_;
    int code = execute(*connection_, sql);
    if (code == SQLITE_OK) {
        return {};
    }
    StoreError error = SQLiteAccess::failure(code, sql, connection_->errorMessage());
    if (connection_->inTransaction()) {
        open_ = true;
        rollback();
    }
    SQLiteAccess::reportWriteFailure(error);
    return error;
}

void Transaction::rollback() {
    open_ = false;
    if (savepoint_.empty()) {
        execute(*connection_, "ROLLBACK");
    } else {
        execute(*connection_, "ROLLBACK TO " + savepoint_ + "; RELEASE " + savepoint_);
    }
}

} // namespace florelle
