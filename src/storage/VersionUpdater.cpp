#include "VersionUpdater.h"

#include "foundation/Calendar.h"
#include "foundation/Format.h"
#include "foundation/Log.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <cmath>
#include <exception>
#include <sys/utsname.h>

namespace florelle {

namespace {

double storedTemperature(int dateId) {
    return Row::doubleValue(SQLiteAccess::selectOneValueSQL(
        format("SELECT temperature FROM temperatures WHERE dateId = %d", dateId)));
}

} // namespace

VersionUpdater::VersionUpdater(std::function<void()> finished) : finished_(std::move(finished)) {}

void VersionUpdater::updateToCurrentVersion() {
    int version = DatabaseController::getCurrentAppVersion();
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
        DatabaseController::saveCurrentAppVersion(version);
    }
    if (finished_) {
        finished_();
    }
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
    SQLiteAccess::updateWithSQL(R"(ALTER TABLE "dates" ADD COLUMN "hasData" INTEGER DEFAULT 0)");
}

void VersionUpdater::repairBloatingHigh() {
    SQLiteAccess::updateWithSQL("UPDATE symptoms SET imgName = 'tower_high.png' WHERE id = 45");
}

void VersionUpdater::makeDataFlags() {
    for (const auto& row : DatabaseController::getDateids()) {
        int dateId = static_cast<int>(row.integer("id"));
        int count = 0;
        auto note = DatabaseController::getNoteForDateId(dateId);
        // A note that cannot be read counts as present.
        if (!note || !note->empty()) {
            ++count;
        }
        if (!DatabaseController::getSymptomsForDateId(dateId).empty()) {
            ++count;
        }
        if (!DatabaseController::getMoodsForDateId(dateId).empty()) {
            ++count;
        }
        if (DatabaseController::getWeightForDateId(dateId) > 1.0) {
            ++count;
        }
        // An empty temperature reads 32 in degrees Fahrenheit; only a stored
        // one counts.
        if (storedTemperature(dateId) != 0 &&
            DatabaseController::getTemperatureForDateId(dateId) > 1.0) {
            ++count;
        }
        DatabaseController::saveNewHasData(count, dateId);
    }
}

void VersionUpdater::repairLastPeriod() {
    long long start = DatabaseController::getLatestStartDay();
    long long end = DatabaseController::getLatestEndDay();
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
    SQLiteAccess::updateWithSQL(
        format("UPDATE periods SET startDate = %.0f, endDate = %.0f WHERE startDate = %d", newStart,
               newEnd, start));
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
