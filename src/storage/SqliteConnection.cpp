#include "SqliteConnection.h"

#include <sqlite3.h>

namespace florelle {

SqliteConnection::SqliteConnection(const std::filesystem::path& file) {
    // Never creates the file: only a copy of the template is a diary.
    openCode_ = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (openCode_ == SQLITE_OK) {
        sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
    }
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(db_);
}

std::string SqliteConnection::errorMessage() const {
    return db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(openCode_);
}

} // namespace florelle
