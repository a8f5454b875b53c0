// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"

#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/TimeZone.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <random>

namespace florelle::testing {

EnvironmentGuard::EnvironmentGuard(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
        old_ = old;
    }
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

EnvironmentGuard::~EnvironmentGuard() {
    old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_);
}

TempDirectory::TempDirectory() {
    std::random_device random;
    auto base = std::filesystem::temp_directory_path();
    do {
        path_ = base / ("florelle-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
}

TempDirectory::~TempDirectory() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(path_, error);
}

struct LogCapture::Lines {
    std::mutex mutex;
    std::vector<std::string> lines;
};

LogCapture::LogCapture() : lines_(std::make_shared<Lines>()) {
    Log::setSink([lines = lines_](std::string_view line) {
        std::lock_guard lock(lines->mutex);
        lines->lines.emplace_back(line);
    });
}

LogCapture::~LogCapture() {
    Log::setSink({});
}

std::vector<std::string> LogCapture::lines() const {
    std::lock_guard lock(lines_->mutex);
    return lines_->lines;
}

bool LogCapture::contains(std::string_view fragment) const {
    for (const auto& line : lines()) {
        if (line.find(fragment) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void LogCapture::clear() {
    std::lock_guard lock(lines_->mutex);
    lines_->lines.clear();
}

double utcSeconds(int year, int month, int day, int hour, int minute, int second) {
    using namespace std::chrono;
    auto days = sys_days(std::chrono::year(year) / month / day).time_since_epoch().count();
    return static_cast<double>(days) * 86400 + hour * 3600 + minute * 60 + second;
}

void DiaryTest::SetUp() {
    documents_ = std::make_unique<TempDirectory>();
    Paths::setDocumentsDirectory(documents_->path() / "documents");
    Paths::setConfigDirectory(documents_->path() / "config");
    clock_ = std::make_shared<ManualClock>(Date(utcSeconds(2026, 3, 10, 12)));
    Clock::setCurrent(clock_);
    TimeZone::setCurrent("UTC");
    log_ = std::make_unique<LogCapture>();
}

void DiaryTest::TearDown() {
    log_.reset();
    TimeZone::setCurrent(std::nullopt);
    Clock::setCurrent(nullptr);
    Paths::setDocumentsDirectory(std::nullopt);
    Paths::setConfigDirectory(std::nullopt);
    documents_.reset();
}

void DiaryTest::setTimeZone(const std::string& identifier) {
    TimeZone::setCurrent(identifier);
}

std::filesystem::path DiaryTest::databaseFile() const {
    return documents_->path() / "documents" / "period" / "period.db";
}

} // namespace florelle::testing
