// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionUpdater.h"

#include "foundation/Calendar.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <cmath>
#include <exception>
#include <stdexcept>
#include <sys/utsname.h>

namespace florelle {

namespace {

// A step stops at the first read or write that fails; the caller tries the
// step again.
template <typename T> T checked(const StoreResult<T>& result) {
    if (!result.ok()) {
        throw std::runtime_error(result.error().message());
    }
    return *result;
}

void checked(const StoreStatus& status) {
    if (!status) {
        throw std::runtime_error(status.error().message());
    }
}

} // namespace

VersionUpdater::VersionUpdater(std::function<void()> finished) : finished_(std::move(finished)) {}

StoreStatus VersionUpdater::updateToCurrentVersion() {
    auto stored = DatabaseController::getCurrentAppVersion();
    if (!stored) {
        return stored.error();
    }
    int version = *stored;
    int failures = 0;
    while (version < currentVersion) {
        try {
            version = updateFromVersion(version);
            failures = 0;
        } catch (const std::exception& error) {
            Log::write(format("Update from version %d failed: %@", version, error.what()));
            if (++failures < maxAttempts) {
                continue;
            }
            Log::write(format("Giving up the update from version %d after %d attempts", version,
                              maxAttempts));
            version = nextVersion(version);
            failures = 0;
        }
        if (auto saved = DatabaseController::saveCurrentAppVersion(version); !saved) {
            return saved;
        }
    }
    if (finished_) {
        finished_();
    }
    return {};
}

int VersionUpdater::nextVersion(int version) {
    switch (version) {
    case 100:
        return 110;
    case 110:
        return 120;
    default:
        return currentVersion;
    }
}

bool VersionUpdater::canUpdateFrom(int version) {
    return version == 100 || version == 110 || version == 120 || version == currentVersion;
}

int VersionUpdater::updateFromVersion(int version) {
    if (version == 100) {
        addHasDataColumn();
        repairBloatingHigh();
        makeDataFlags();
    } else if (version == 120) {
        repairLastPeriod();
    }
    return nextVersion(version);
}

void VersionUpdater::addHasDataColumn() {
    checked(SQLiteAccess::updateWithSQL(
        R"(ALTER TABLE "dates" ADD COLUMN "hasData" INTEGER DEFAULT 0)"));
}

void VersionUpdater::repairBloatingHigh() {
    checked(SQLiteAccess::updateWithSQL(
        "UPDATE symptoms SET imgName = 'tower_high.png' WHERE id = 45"));
}

void VersionUpdater::makeDataFlags() {
    for (const auto& row : checked(DatabaseController::getDateids())) {
        int dateId = static_cast<int>(row.integer("id"));
        int count = 0;
        if (!checked(DatabaseController::getNoteForDateId(dateId)).value_or("").empty()) {
            ++count;
        }
        if (!checked(DatabaseController::getSymptomsForDateId(dateId)).empty()) {
            ++count;
        }
        if (!checked(DatabaseController::getMoodsForDateId(dateId)).empty()) {
            ++count;
        }
        if (checked(DatabaseController::getWeightForDateId(dateId)) > 1.0) {
            ++count;
        }
        if (checked(DatabaseController::getTemperatureForDateId(dateId)) > 1.0) {
            ++count;
        }
        checked(DatabaseController::saveNewHasData(count, dateId));
    }
}

void VersionUpdater::repairLastPeriod() {
    long long start = checked(DatabaseController::getLatestStartDay());
    long long end = checked(DatabaseController::getLatestEndDay());
    if (start == 0) {
        return;
    }
    // Stored dates whose minute is not 0 were not written at a UTC midnight.
    TimeZone::resetSystemTimeZone();
    Calendar calendar = Calendar::current();
    Date startDate(static_cast<double>(start));
    if (calendar.components(startDate).minute != 0) {
        return;
    }
    double newStart = calendar.startOfDay(startDate).timeIntervalSince1970();
    double newEnd =
        end != 0 ? calendar.startOfDay(Date(static_cast<double>(end))).timeIntervalSince1970() : 0;
    checked(SQLiteAccess::updateWithSQL(
        "UPDATE periods SET startDate = ?, endDate = ? WHERE startDate = ?",
        {std::round(newStart), std::round(newEnd), start}));
}

int VersionUpdater::getSystemVersionAsAnInteger() {
    utsname names{};
    if (uname(&names) != 0) {
        return 0;
    }
    return versionAsInteger(names.release);
}

int VersionUpdater::versionAsInteger(std::string_view version) {
    int total = 0;
    for (int part = 0; part < 3 && !version.empty(); ++part) {
        size_t dot = version.find('.');
        std::string_view text = version.substr(0, dot);
        float weight = std::pow(100.0f, static_cast<float>(2 - part));
        total += static_cast<int>(static_cast<float>(Row::integerValue(text)) * weight);
        version = dot == std::string_view::npos ? std::string_view() : version.substr(dot + 1);
    }
    return total;
}

} // namespace florelle
