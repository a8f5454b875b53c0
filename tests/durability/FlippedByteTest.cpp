// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileBytes.h"
#include "StoreFailure.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "storage/DatabaseController.h"
#include "storage/RawDatabase.h"
#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// A diary with twelve periods and a few days of the daily log.
class FlippedByteTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        Date first = calendar_.dateFromComponents({2025, 3, 1});
        for (int i = 0; i < 12; ++i) {
            Date start = calendar_.addingDays(first, 28 * i);
            ASSERT_TRUE(DC::saveLog(start, calendar_.addingDays(start, 4)));
        }
        for (int i = 0; i < 5; ++i) {
            int id = DC::openDay(calendar_.addingDays(day_, -i)).value_or(0);
            ASSERT_TRUE(
                DC::saveNote("A note of day " + std::to_string(i), id, Clock::current()->now()));
            ASSERT_TRUE(DC::saveUsedMood(i + 1, id));
            ASSERT_TRUE(DC::saveUsedSymptom(i + 2, id));
            ASSERT_TRUE(DC::saveWeight(60.5 + i, id));
            ASSERT_TRUE(DC::saveTemperature(36.5, id));
        }
        seed_ = bytesOf(databaseFile());
        pageSize_ = RawDatabase(databaseFile()).integer("PRAGMA page_size");
    }

    Calendar calendar_ = Calendar::current();
    Date day_ = calendar_.dateFromComponents({2026, 3, 8});
    std::string seed_;
    long long pageSize_ = 0;
};

} // namespace

// One byte of one page changed, in every page of the diary: the diary is
// read and written as usual where the change did not break its structure;
// otherwise, from the first call that notices, every read and write says it
// failed and the file stays exactly as it was, for rescue.
TEST_F(FlippedByteTest, ADamagedPageStopsEveryReadAndWrite) {
    int dateId = DC::getDateIdForDate(day_).value_or(0);
    Date from = calendar_.dateFromComponents({2026, 1, 1});
    struct Call {
        const char* what;
        std::function<std::optional<StoreError>()> run;
    };
    const Call calls[] = {
        {"diary check", [] { return failureOf(SQLiteAccess::checkDiary()); }},
        {"cycle length", [] { return failureOf(DC::getCycleLength()); }},
        {"periods", [] { return failureOf(DC::getStartDates()); }},
        {"period days",
         [&] {
             return failureOf(
                 DC::getPeriodDatesFrom(from, calendar_.addingDays(from, 90), clock_->now()));
         }},
        {"day", [&] { return failureOf(DC::getDateIdForDate(day_)); }},
        {"note", [&] { return failureOf(DC::getNoteForDateId(dateId)); }},
        {"moods", [&] { return failureOf(DC::getMoodsForDateId(dateId)); }},
        {"symptoms", [&] { return failureOf(DC::getSymptomsForDateId(dateId)); }},
        {"weight", [&] { return failureOf(DC::getWeightForDateId(dateId)); }},
        {"mood names", [] { return failureOf(DC::collectAllMoods()); }},
        {"cycle length saved", [] { return failureOf(DC::saveCycleLength(31)); }},
        {"period start",
         [&] {
             return PeriodEntry::save(PeriodEntry::Mode::start, day_, calendar_, clock_->now())
                 .error;
         }},
        {"day opened", [&] { return failureOf(DC::openDay(calendar_.addingDays(day_, 1))); }},
        {"note saved",
         [&] { return failureOf(DC::saveNote("changed", dateId, Clock::current()->now())); }},
        {"mood saved", [&] { return failureOf(DC::saveUsedMood(9, dateId)); }},
    };
    auto journal = databaseFile().string() + "-journal";
    long long pages = static_cast<long long>(seed_.size()) / pageSize_;
    ASSERT_GT(pages, 20);
    for (long long page = 0; page < pages; ++page) {
        // Page 1 begins with the file's header; its b-tree header follows.
        long long tree = page * pageSize_ + (page == 0 ? 100 : 0);
        // The page type, the cell count, where the cells begin, the middle
        // and the end, where the first cell's content lies.
        for (long long at : {tree, tree + 3, tree + 5, page * pageSize_ + pageSize_ / 2,
                             (page + 1) * pageSize_ - 1}) {
            SCOPED_TRACE("page " + std::to_string(page + 1) + ", byte " + std::to_string(at));
            std::string flipped = seed_;
            flipped[at] = static_cast<char>(~flipped[at]);
            replaceFile(databaseFile(), flipped);
            std::optional<std::string> unchanged;
            for (const Call& call : calls) {
                std::string before = bytesOf(databaseFile());
                auto failure = call.run();
                if (unchanged) {
                    EXPECT_TRUE(failure) << call.what << " worked on a damaged diary";
                } else if (failure) {
                    EXPECT_EQ(failure->kind, StoreError::Kind::damaged)
                        << call.what << ": " << failure->message();
                    unchanged = before;
                }
            }
            if (unchanged) {
                EXPECT_EQ(bytesOf(databaseFile()), *unchanged) << "a damaged diary was written";
            } else {
                EXPECT_EQ(RawDatabase(databaseFile()).text("PRAGMA integrity_check"), "ok");
            }
            EXPECT_FALSE(std::filesystem::exists(journal));
        }
    }
}
