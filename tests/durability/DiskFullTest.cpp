// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"
#include "FileBytes.h"
#include "StoreFailure.h"
#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/Paths.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/SmallDisk.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

class DiskFullTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        std::string why;
        disk_ = SmallDisk::mount(512 * 1024, why);
        if (!disk_) {
            GTEST_SKIP() << why;
        }
        Paths::setDocumentsDirectory(disk_->path() / "documents");
        file_ = disk_->path() / "documents" / "period" / "period.db";
    }
    void TearDown() override {
        disk_.reset();
        DiaryTest::TearDown();
    }
    Date day(int month, int day) const { return calendar_.dateFromComponents({2026, month, day}); }

    std::unique_ptr<SmallDisk> disk_;
    std::filesystem::path file_;
    Calendar calendar_ = Calendar::current();
};

} // namespace

// Each save is tried on a full disk, then with one more page free each time:
// until it fits, it is refused as a full disk and leaves the file exactly as
// it was, also when the disk filled up after its first statements had been
// written; then it is stored whole.
TEST_F(DiskFullTest, ASaveThatDoesNotFitIsAbsentAndReported) {
    const std::string note(40000, 'n');
    struct Action {
        const char* what;
        // The action's first statement: a refusal of any later one, or of
        // the commit, came after it had been written.
        const char* first;
        std::function<std::optional<StoreError>()> run;
        std::function<bool()> stored;
    };
    const Action actions[] = {
        {"a past period", "INSERT INTO periods",
         [&] {
             return PastPeriodEntry::save(
                        {day(1, 5), day(1, 9), true, Date(), PastPeriodEntry::Mode::startAndEnd},
                        calendar_)
                 .error;
         },
         [&] { return DC::getLatestEndDay() == day(1, 9).timeIntervalSince1970(); }},
        {"a period start", "UPDATE settings",
         [&] {
             return PeriodEntry::save(PeriodEntry::Mode::start, day(3, 8), calendar_, clock_->now())
                 .error;
         },
         [&] { return DC::getIsStartDate() == false; }},
        {"a day of the daily log", "INSERT INTO dates",
         [&] { return failureOf(DC::openDay(day(3, 9))); },
         [&] {
             return DC::getTemperatureForDateId(DC::getDateIdForDate(day(3, 9)).value_or(0)) == 0.0;
         }},
        {"a long note", "UPDATE note",
         [&] {
             return failureOf(DC::saveNote(note, DC::getDateIdForDate(day(3, 9)).value_or(0),
                                           Clock::current()->now()));
         },
         [&] { return DC::getNoteForDateId(DC::getDateIdForDate(day(3, 9)).value_or(0)) == note; }},
    };
    ASSERT_TRUE(SQLiteAccess::checkDiary());
    auto journal = file_.string() + "-journal";
    for (const Action& action : actions) {
        SCOPED_TRACE(action.what);
        log_->clear();
        disk_->fill();
        int refusals = 0;
        for (;; ++refusals) {
            ASSERT_LT(refusals, 100) << "never stored";
            std::string before = bytesOf(file_);
            auto error = action.run();
            if (!error) {
                break;
            }
            EXPECT_EQ(error->kind, StoreError::Kind::full) << error->message();
            EXPECT_EQ(bytesOf(file_), before) << "after " << refusals << " refusals";
            EXPECT_FALSE(std::filesystem::exists(journal));
            disk_->release(4096);
        }
        EXPECT_TRUE(action.stored());
        auto failed = log_->lines();
        EXPECT_TRUE(std::any_of(
            failed.begin(), failed.end(),
            [&](const std::string& line) { return line.find(action.first) == std::string::npos; }))
            << "no refusal came part-way: " << ::testing::PrintToString(failed);
        EXPECT_EQ(DiaryRules::broken(RawDatabase(file_)), std::vector<std::string>());
    }
}
