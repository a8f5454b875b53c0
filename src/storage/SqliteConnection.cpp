#include "SqliteConnection.h"

#include <sqlite3.h>

namespace florelle {

SqliteConnection::SqliteConnection(const std::filesystem::path& file) {
    openCode_ = sqlite3_open(file.c_str(), &db_);
    if (openCode_ == SQLITE_OK) {
        sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
    }
}

SqliteConnection::~SqliteConnection() { sqlite3_close(db_); }

std::string SqliteConnection::errorMessage() const {
    return db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(openCode_);
}

} // namespace florelle
