// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/VersionUpdater.h"

#include "Fixtures.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/utsname.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

class VersionUpdaterTest : public DiaryTest, public ::testing::WithParamInterface<std::string> {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone(GetParam());
        clock_->set(Date(utcSeconds(2026, 3, 10, 12)));
    }

    // Puts a database of the given data version where the diary keeps its own.
    void installDatabase(int version) {
        std::filesystem::create_directories(databaseFile().parent_path());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(databaseFile().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        int code = sqlite3_exec(db, fixtureText(version).c_str(), nullptr, nullptr, &error);
        std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(code, SQLITE_OK) << message;
    }

    static long long hasData(int dateId) {
        return Row::integerValue(
            SQLiteAccess::selectOneValueSQL("SELECT hasData FROM dates WHERE id = ?", {dateId})
                .value());
    }

    static std::vector<Row> periods() {
        return SQLiteAccess::selectManyRowsWithSQL(
                   "SELECT startDate, endDate FROM periods ORDER BY startDate")
            .value();
    }

    // Local midnight of the day a UTC midnight falls on in the current zone.
    static long long localMidnightOf(double utcMidnight) {
        return static_cast<long long>(
            Calendar::current().startOfDay(Date(utcMidnight)).timeIntervalSince1970());
    }
};

INSTANTIATE_TEST_SUITE_P(Zones, VersionUpdaterTest, ::testing::ValuesIn(dayRuleZones),
                         zoneTestName);

TEST_P(VersionUpdaterTest, From100To130) {
    installDatabase(100);
    int finished = 0;
    ASSERT_TRUE(VersionUpdater([&] { ++finished; }).updateToCurrentVersion());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(DC::getCurrentAppVersion(), 130);
    EXPECT_EQ(hasData(1), 2); // note and mood
    EXPECT_EQ(hasData(2), 3); // symptom, weight, temperature
    EXPECT_EQ(hasData(3), 0);
    EXPECT_EQ(hasData(4), 0); // a weight of half a kilogram is no weight
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT imgName FROM symptoms WHERE id = 45"),
              "tower_high.png");
    auto rows = periods();
    ASSERT_EQ(rows.size(), 2u);
    // Only the latest period moves, to local midnight of the day it shows on.
    EXPECT_EQ(rows[0].integer("startDate"), static_cast<long long>(utcSeconds(2026, 1, 4)));
    EXPECT_EQ(rows[1].integer("startDate"), localMidnightOf(utcSeconds(2026, 2, 1)));
    EXPECT_EQ(rows[1].integer("endDate"), localMidnightOf(utcSeconds(2026, 2, 5)));
}

TEST_P(VersionUpdaterTest, From100InImperialUnitsCountsOnlyStoredTemperatures) {
    installDatabase(100);
    ASSERT_TRUE(
        SQLiteAccess::updateWithSQL("UPDATE settings SET value = 0 WHERE name = 'SI_UNITS'"));
    ASSERT_TRUE(VersionUpdater().updateToCurrentVersion());
    EXPECT_EQ(hasData(2), 3);
    EXPECT_EQ(hasData(3), 0);
    EXPECT_EQ(hasData(4), 1); // 0.5 kg reads 1.1 lbs
}

TEST_P(VersionUpdaterTest, From110And120To130) {
    for (int version : {110, 120}) {
        SCOPED_TRACE(version);
        std::filesystem::remove(databaseFile());
        installDatabase(version);
        ASSERT_TRUE(VersionUpdater().updateToCurrentVersion());
        EXPECT_EQ(DC::getCurrentAppVersion(), 130);
        auto rows = periods();
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[1].integer("startDate"), static_cast<long long>(utcSeconds(2026, 2, 1)));
        EXPECT_EQ(rows[2].integer("startDate"), localMidnightOf(utcSeconds(2026, 3, 1)));
        EXPECT_EQ(rows[2].integer("endDate"), localMidnightOf(utcSeconds(2026, 3, 5)));
        EXPECT_EQ(hasData(2), 3);
    }
}

TEST_P(VersionUpdaterTest, RepairedPeriodShowsOnTheSameLocalDay) {
    installDatabase(120);
    Calendar calendar = Calendar::current();
    int dayBefore = calendar.components(Date(utcSeconds(2026, 3, 1))).day;
    ASSERT_TRUE(VersionUpdater().updateToCurrentVersion());
    Date start(static_cast<double>(DC::getLatestStartDay().value()));
    EXPECT_EQ(calendar.components(start).day, dayBefore);
    EXPECT_EQ(calendar.components(start).hour, 0);
}

TEST_P(VersionUpdaterTest, OpenAndSummerPeriodsAndUnusualMinutes) {
    struct Case {
        double start;
        double end;
        bool moves;
    };
    const Case cases[] = {
        {utcSeconds(2026, 4, 1), 0, true},                      // open: the end stays 0
        {utcSeconds(2026, 7, 1), utcSeconds(2026, 7, 5), true}, // summer time, repaired in winter
        {utcSeconds(2026, 4, 1, 0, 30), 0, false},              // not written at a midnight
    };
    clock_->set(Date(utcSeconds(2026, 12, 10)));
    for (const auto& c : cases) {
        std::filesystem::remove(databaseFile());
        installDatabase(120);
        ASSERT_TRUE(SQLiteAccess::insertWithSQL(
            "INSERT INTO periods VALUES (NULL, ?, ?)",
            {static_cast<long long>(c.start), static_cast<long long>(c.end)}));
        ASSERT_TRUE(VersionUpdater().updateToCurrentVersion());
        long long start = DC::getLatestStartDay().value();
        long long end = DC::getLatestEndDay().value();
        EXPECT_EQ(start, c.moves ? localMidnightOf(c.start) : static_cast<long long>(c.start))
            << c.start;
        EXPECT_EQ(end, c.end == 0 ? 0 : localMidnightOf(c.end)) << c.start;
    }
}

TEST_P(VersionUpdaterTest, CurrentDatabaseIsLeftAlone) {
    ASSERT_TRUE(DC::saveStartPeriod(Date(utcSeconds(2026, 3, 1))));
    int finished = 0;
    ASSERT_TRUE(VersionUpdater([&] { ++finished; }).updateToCurrentVersion());
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(DC::getCurrentAppVersion(), 130);
    EXPECT_EQ(DC::getLatestStartDay().value(), static_cast<long long>(utcSeconds(2026, 3, 1)));
}

// A step that throws is tried again, at most three times in all.
class FailingUpdater : public VersionUpdater {
public:
    explicit FailingUpdater(int failures) : failures_(failures) {}
    void repairLastPeriod() override {
        ++attempts;
        if (attempts <= failures_) {
            throw std::runtime_error("disk full");
        }
        VersionUpdater::repairLastPeriod();
    }
    int attempts = 0;

private:
    int failures_;
};

TEST_P(VersionUpdaterTest, AFailingStepIsTriedAtMostThreeTimes) {
    installDatabase(120);
    FailingUpdater always(1000);
    ASSERT_TRUE(always.updateToCurrentVersion());
    EXPECT_EQ(always.attempts, VersionUpdater::maxAttempts);
    EXPECT_EQ(DC::getCurrentAppVersion(), 130);
    EXPECT_TRUE(log_->contains("Update from version 120 failed: disk full"));
    EXPECT_TRUE(log_->contains("Giving up the update from version 120 after 3 attempts"));
    EXPECT_EQ(DC::getLatestStartDay().value(), static_cast<long long>(utcSeconds(2026, 3, 1)));
}

TEST_P(VersionUpdaterTest, AStepThatFailsOnceSucceedsOnItsRetry) {
    installDatabase(120);
    FailingUpdater once(1);
    ASSERT_TRUE(once.updateToCurrentVersion());
    EXPECT_EQ(once.attempts, 2);
    EXPECT_EQ(DC::getCurrentAppVersion(), 130);
    EXPECT_EQ(DC::getLatestStartDay().value(), localMidnightOf(utcSeconds(2026, 3, 1)));
}

TEST(VersionUpdaterSteps, EachVersionGoesToTheNext) {
    VersionUpdater updater;
    EXPECT_EQ(updater.updateFromVersion(110), 120);
    EXPECT_EQ(updater.updateFromVersion(0), 130);
    EXPECT_EQ(updater.updateFromVersion(125), 130);
}

TEST(VersionUpdaterSystemVersion, DottedVersionsAsIntegers) {
    EXPECT_EQ(VersionUpdater::versionAsInteger("4.3.1"), 40301);
    EXPECT_EQ(VersionUpdater::versionAsInteger("5.0"), 50000);
    EXPECT_EQ(VersionUpdater::versionAsInteger("6.1.0"), 60100);
    EXPECT_EQ(VersionUpdater::versionAsInteger("6.1.0-18-amd64"), 60100);
    EXPECT_EQ(VersionUpdater::versionAsInteger("6.12.9.4"), 61209);
    EXPECT_EQ(VersionUpdater::versionAsInteger(""), 0);
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    EXPECT_EQ(VersionUpdater::getSystemVersionAsAnInteger(),
              VersionUpdater::versionAsInteger(names.release));
    EXPECT_GT(VersionUpdater::getSystemVersionAsAnInteger(), 0);
}

} // namespace
