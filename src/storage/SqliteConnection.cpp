// SPDX-License-Identifier: GPL-3.0-or-later
#include "SqliteConnection.h"

#include <sqlite3.h>

namespace florelle {

SqliteConnection::SqliteConnection(const std::filesystem::path& file) {
    // Never creates the file: only a copy of the template is a diary.
    openCode_ = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (openCode_ == SQLITE_OK) {
        sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
        sqlite3_exec(db_, "PRAGMA recursive_triggers = 0", nullptr, nullptr, nullptr);
    }
}

SqliteConnection::~SqliteConnection() {
    statements_.clear();
    sqlite3_close(db_);
}

void SqliteConnection::StatementFree::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

std::string SqliteConnection::errorMessage() const {
    return db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(openCode_);
}

bool SqliteConnection::inTransaction() const {
    return db_ && sqlite3_get_autocommit(db_) == 0;
}

sqlite3_stmt* SqliteConnection::prepared(std::string_view sql, const SqlParams& params, int& code) {
    auto found = statements_.find(std::string(sql));
    if (found == statements_.end()) {
        sqlite3_stmt* raw = nullptr;
        code = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                  SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
        if (code != SQLITE_OK) {
            sqlite3_finalize(raw);
            return nullptr;
        }
        found = statements_.emplace(std::string(sql), raw).first;
    }
    sqlite3_stmt* statement = found->second.get();
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    code = bindParameters(statement, params);
    return code == SQLITE_OK ? statement : nullptr;
}

int bindParameters(sqlite3_stmt* statement, const SqlParams& params) {
    int index = 1;
    for (const SqlValue& param : params) {
        int code = std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, long long>) {
                    return sqlite3_bind_int64(statement, index, value);
                } else if constexpr (std::is_same_v<T, double>) {
                    return sqlite3_bind_double(statement, index, value);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    return sqlite3_bind_text(statement, index, value.data(),
                                             static_cast<int>(value.size()), SQLITE_TRANSIENT);
                } else {
                    return sqlite3_bind_null(statement, index);
                }
            },
            param.value());
        if (code != SQLITE_OK) {
            return code;
        }
        ++index;
    }
    return SQLITE_OK;
}

} // namespace florelle
