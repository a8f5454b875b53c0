// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/StoreResult.h"

#include <string>

namespace florelle {

class SqliteConnection;

// One user action's changes, all of them or none. The outermost transaction
// of a connection takes the write lock at once (BEGIN IMMEDIATE), so that a
// check and the write it allows cannot be passed by another process; one
// opened inside it is a savepoint. Rolled back unless committed.
class Transaction {
public:
    // Opens one on the diary's connection of this thread.
    static StoreResult<Transaction> begin();

    Transaction(Transaction&& other) noexcept;
    Transaction& operator=(Transaction&&) = delete;
    Transaction(const Transaction&) = delete;
    ~Transaction();

    StoreStatus commit();

private:
    Transaction(SqliteConnection& connection, std::string savepoint)
        : connection_(&connection), savepoint_(std::move(savepoint)) {}
    void rollback();

    SqliteConnection* connection_;
    // Empty for the outermost transaction.
    std::string savepoint_;
    bool open_ = true;
};

} // namespace florelle
