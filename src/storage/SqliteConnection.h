#pragma once

#include <filesystem>
#include <string>

struct sqlite3;

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
    sqlite3* handle() const { return db_; }
    std::string errorMessage() const;

private:
    sqlite3* db_ = nullptr;
    int openCode_ = 0;
};

} // namespace florelle
