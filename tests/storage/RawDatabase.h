// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace florelle::testing {

// Reads the database file behind the program's back, to check what is stored.
class RawDatabase {
public:
    explicit RawDatabase(const std::filesystem::path& file) { sqlite3_open(file.c_str(), &db_); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;
    ~RawDatabase() { sqlite3_close(db_); }

    // The first column of the first row as text; "<null>" for NULL, "<none>" for no row.
    std::string text(const std::string& sql) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            return "<error: " + std::string(sqlite3_errmsg(db_)) + ">";
        }
        std::string result = "<none>";
        if (sqlite3_step(statement) == SQLITE_ROW) {
            auto* value = sqlite3_column_text(statement, 0);
            result = value ? reinterpret_cast<const char*>(value) : "<null>";
        }
        sqlite3_finalize(statement);
        return result;
    }
    long long integer(const std::string& sql) const { return std::stoll(text(sql)); }
    int exec(const std::string& sql) const {
        return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

} // namespace florelle::testing
