// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace florelle {

// Small user settings of the screen layer (first-use hints, rating
// counters): booleans, integers, doubles and texts by key, kept in a key file.
// Values are read from the file when the object is made and written back by
// synchronize(), which replaces the file in one step, so a crash while
// writing leaves the previous file whole. Safe to use from any thread.
//
// A missing key reads as false, 0, 0.0 or the empty text. A value stored as
// one kind reads as another where that makes sense ("42" as 42, 1 as true).
class UserDefaults {
public:
    // The file name under Paths::configDirectory().
    static constexpr const char* fileName = "defaults.ini";

    explicit UserDefaults(std::filesystem::path file);
    UserDefaults(const UserDefaults&) = delete;
    UserDefaults& operator=(const UserDefaults&) = delete;
    ~UserDefaults();

    // The shared instance for the current configuration folder; made anew
    // when that folder has been changed.
    static std::shared_ptr<UserDefaults> standardUserDefaults();

    const std::filesystem::path& file() const { return file_; }

    bool boolForKey(const std::string& key) const;
    long long integerForKey(const std::string& key) const;
    double doubleForKey(const std::string& key) const;
    std::string stringForKey(const std::string& key) const;
    bool hasKey(const std::string& key) const;

    // Keys are plain words: no '=', '[', ']', line breaks or leading or
    // trailing blanks; other keys are refused with a log line.
    void setBool(const std::string& key, bool value);
    void setInteger(const std::string& key, long long value);
    void setDouble(const std::string& key, double value);
    void setString(const std::string& key, const std::string& value);
    void removeKey(const std::string& key);

    // Writes every value to the file; false (and a log line) when it could
    // not, in which case the file on disk is the one from before.
    bool synchronize();

private:
    struct KeyFile;

    std::optional<std::string> rawValue(const std::string& key) const;
    bool acceptsKey(const std::string& key) const;

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    std::unique_ptr<KeyFile> keyFile_;
};

} // namespace florelle
