// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/DiaryTimeZone.h"

#include "Fixtures.h"
#include "RawDatabase.h"
#include "foundation/Calendar.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "storage/VersionUpdater.h"
#include "support/LocalDays.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// What the diary shows, as local dates (yyyymmdd) of the current zone: its
// periods and the days with data from `from` to `to`, and what it predicts at
// `now`.
using Shown = std::map<std::string, std::vector<int>>;

Shown shown(Date from, Date to, Date now) {
    Shown result;
    auto periods = DC::getAllPeriods();
    for (const Row& row : periods.value()) {
        for (const char* column : {"startDate", "endDate"}) {
            long long stored = row.integer(column);
            result["periods"].push_back(stored == 0 ? 0 : localDay(Date(double(stored))));
        }
    }
    auto notes = DC::getNoEmptyNotes();
    for (const Row& row : notes.value()) {
        long long key = DC::getDateForDateId(static_cast<int>(row.integer("dateId"))).value();
        result["notes"].push_back(localDay(Date(double(key))));
    }
    result["marked"] = localDays(DC::getMarkedDatesFrom(from, to).value());
    result["intimate"] = localDays(DC::getIntimateDatesFrom(from, to).value());
    result["period days"] = localDays(DC::getAllPeriodDates(now).value());
    result["fertile days"] = localDays(DC::getAllFertileDates(now).value());
    result["days left"] = {DC::getRemainingDays(now).value()};
    return result;
}

// October and November 2026, on 20 November at noon.
Shown shownInAutumn() {
    return shown(localDate(2026, 10, 1), localDate(2026, 11, 30, 23, 59, 59),
                 localDate(2026, 11, 20, 12));
}

const char* const berlin = "Europe/Berlin";

// Starts `work` in a process of its own, with a connection of its own; its
// exit status is the child's.
pid_t spawn(const std::function<int()>& work) {
    pid_t child = fork();
    if (child == 0) {
        _exit(work());
    }
    return child;
}

int exitStatus(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class DiaryTimeZoneTest : public DiaryTest {
protected:
    static constexpr int seededDays = 60;

    // Consecutive days from 1 May 2026, each with a mood, and four periods,
    // logged in Berlin by another process.
    void seedInBerlin() {
        SQLiteAccess::pathToDB();
        ASSERT_EQ(exitStatus(spawn([] {
                      TimeZone::setCurrent(berlin);
                      bool ok = DiaryTimeZone::follow(TimeZone(berlin)).ok();
                      for (int day = 0; day < seededDays; ++day) {
                          auto id = DC::openDay(localDate(2026, 5, 1 + day, 9));
                          ok = ok && id.ok() && DC::saveUsedMood(1, *id);
                      }
                      for (int month = 5; month <= 8; ++month) {
                          ok = ok &&
                               DC::saveLog(localDate(2026, month, 3), localDate(2026, month, 7));
                      }
                      return ok ? 0 : 1;
                  })),
                  0);
    }

    // Every day and period where the stored zone puts the seeded dates: all
    // of them in that one zone, none in another.
    void expectWholeInStoredZone() const {
        RawDatabase raw(databaseFile());
        ASSERT_EQ(raw.text("PRAGMA integrity_check"), "ok");
        std::string zone = raw.text("SELECT value FROM settings WHERE name = 'DIARY_TIME_ZONE'");
        Calendar calendar{TimeZone(zone)};
        auto dayOf = [&](int month, int day) {
            return calendar.dateFromComponents({2026, month, day});
        };
        std::set<long long> expectedKeys;
        for (int day = 0; day < seededDays; ++day) {
            expectedKeys.insert(DC::dayKeyForDate(dayOf(5, 1 + day), calendar));
        }
        std::set<long long> keys;
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(raw.handle(), "SELECT date FROM dates", -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            keys.insert(sqlite3_column_int64(statement, 0));
        }
        sqlite3_finalize(statement);
        EXPECT_EQ(keys, expectedKeys) << "days in " << zone;
        for (int month = 5; month <= 8; ++month) {
            auto start = static_cast<long long>(dayOf(month, 3).timeIntervalSince1970());
            EXPECT_EQ(raw.integer("SELECT COUNT(*) FROM periods WHERE startDate = " +
                                  std::to_string(start)),
                      1)
                << "period of month " << month << " in " << zone;
        }
    }
};

TEST_F(DiaryTimeZoneTest, DaysLoggedInBerlinStayOnTheirDatesWhereverTheDiaryTravels) {
    setTimeZone(berlin);
    ASSERT_EQ(DiaryTimeZone::follow(TimeZone(berlin)), std::nullopt);
    EXPECT_EQ(DiaryTimeZone::stored(), std::optional<std::string>(berlin));
    ASSERT_TRUE(DC::saveLog(localDate(2026, 10, 12), localDate(2026, 10, 16)));
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 11, 9)));
    // A month of consecutive days: each one takes the key the next one leaves.
    for (int day = 1; day <= 31; ++day) {
        ASSERT_TRUE(DC::openDay(localDate(2026, 10, day, 9)).ok());
    }
    clock_->set(localDate(2026, 10, 15, 21, 30));
    ASSERT_TRUE(DC::saveNote("cramps", DC::getDateIdForDate(localDate(2026, 10, 15)).value(),
                             clock_->now()));
    ASSERT_TRUE(DC::saveUsedMood(1, DC::getDateIdForDate(localDate(2026, 10, 20)).value()));
    ASSERT_TRUE(DC::saveIntimate(1, DC::getDateIdForDate(localDate(2026, 10, 21)).value()));
    ASSERT_TRUE(DC::savePregnant(0, clock_->now()) && DC::savePregnant(1, clock_->now()));
    Shown inBerlin = shownInAutumn();
    ASSERT_EQ(inBerlin["periods"], (std::vector<int>{20261012, 20261016, 20261109, 0}));
    ASSERT_EQ(inBerlin["marked"], (std::vector<int>{20261015, 20261020}));
    RawDatabase raw(databaseFile());
    const std::string instants = "SELECT (SELECT group_concat(editTime) FROM note) || ' ' || "
                                 "(SELECT value FROM settings WHERE name = 'PREGNANT_START_DATE')";
    std::string instantsInBerlin = raw.text(instants);

    std::string from = berlin;
    for (std::string zone :
         {"UTC", "America/Los_Angeles", "Asia/Tokyo", "Pacific/Auckland", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        setTimeZone(zone);
        auto moved = DiaryTimeZone::follow(TimeZone(zone));
        ASSERT_TRUE(moved.ok() && moved->has_value()) << moved;
        EXPECT_EQ((*moved)->periods, 2);
        EXPECT_TRUE(log_->contains("re-anchored from " + from + " to " + zone));
        EXPECT_EQ(shownInAutumn(), inBerlin);
        EXPECT_EQ(raw.text(instants), instantsInBerlin) << "true instants stay";
        EXPECT_EQ(DiaryTimeZone::follow(TimeZone(zone)), std::nullopt) << "done once";
        from = zone;
    }
}

// A diary of the oldest data version, brought up to date in one zone, keeps
// its days when it is next opened on the other side of the world.
TEST_F(DiaryTimeZoneTest, AnOldDiaryMigratedInOneZoneKeepsItsDaysInAnother) {
    for (std::string zone : {"Europe/Berlin", "America/New_York"}) {
        SCOPED_TRACE(zone);
        std::filesystem::remove(databaseFile());
        std::filesystem::create_directories(databaseFile().parent_path());
        ASSERT_EQ(RawDatabase(databaseFile()).exec(fixtureText(100)), SQLITE_OK);
        setTimeZone(zone);
        ASSERT_TRUE(VersionUpdater().updateToCurrentVersion());
        ASSERT_EQ(DiaryTimeZone::follow(TimeZone(zone)), std::nullopt);
        auto winter = [] {
            return shown(localDate(2026, 1, 1), localDate(2026, 3, 31), localDate(2026, 3, 10, 12));
        };
        Shown migrated = winter();
        ASSERT_EQ(migrated["marked"].size(), 2u);

        setTimeZone("Pacific/Auckland");
        ASSERT_TRUE(DiaryTimeZone::follow(TimeZone("Pacific/Auckland")).ok());
        EXPECT_EQ(winter(), migrated);
    }
}

// Whoever comes first re-anchors; the other finds the diary in its zone.
TEST_F(DiaryTimeZoneTest, TwoProcessesAtOnceReanchorOnce) {
    seedInBerlin();
    auto followTokyo = [] {
        auto moved = DiaryTimeZone::follow(TimeZone("Asia/Tokyo"));
        return !moved.ok() ? 1 : moved->has_value() ? 10 : 11;
    };
    pid_t first = spawn(followTokyo);
    pid_t second = spawn(followTokyo);
    std::vector<int> statuses = {exitStatus(first), exitStatus(second)};
    std::sort(statuses.begin(), statuses.end());
    EXPECT_EQ(statuses, (std::vector<int>{10, 11}));
    expectWholeInStoredZone();
}

TEST_F(DiaryTimeZoneTest, AKillInTheMiddleLeavesTheOldOrTheNewAnchoringNeverAMix) {
    seedInBerlin();
    for (int round = 0; round < 8; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                static_cast<void>(DiaryTimeZone::follow(TimeZone("America/Los_Angeles")));
                static_cast<void>(DiaryTimeZone::follow(TimeZone(berlin)));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + round * 13));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        SCOPED_TRACE(round);
        expectWholeInStoredZone();
    }
}

} // namespace
