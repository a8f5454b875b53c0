// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Clock.h"
#include "foundation/Date.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle::testing {

// A folder under the system's temporary folder, removed with everything in it.
class TempDirectory {
public:
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Sets an environment variable (or, with no value, removes it) for the life
// of the guard.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value);
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
    ~EnvironmentGuard();

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Collects every log line while it lives.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::vector<std::string> lines() const;
    bool contains(std::string_view fragment) const;
    void clear();

private:
    struct Lines;
    std::shared_ptr<Lines> lines_;
};

// The seconds of a UTC date and time.
double utcSeconds(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Each test gets a fresh documents folder, a manual clock, a fixed time zone
// (UTC unless the test sets another) and a log capture.
class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void setTimeZone(const std::string& identifier);
    std::filesystem::path databaseFile() const;

    std::unique_ptr<TempDirectory> documents_;
    std::shared_ptr<ManualClock> clock_;
    std::unique_ptr<LogCapture> log_;
};

} // namespace florelle::testing
