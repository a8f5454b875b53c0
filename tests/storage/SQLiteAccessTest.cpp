// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SQLiteAccess.h"

#include "RawDatabase.h"
#include "foundation/Bundle.h"
#include "foundation/NotificationCenter.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccessRewrite.h"
#include "storage/Transaction.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class SQLiteAccessTest : public DiaryTest {};

int settingsCount() {
    return static_cast<int>(Row::integerValue(
        SQLiteAccess::selectOneValueSQL("SELECT COUNT(*) FROM settings").value()));
}

std::vector<Row::Value> periodStarts() {
    return SQLiteAccess::selectManyValuesWithSQL("SELECT startDate FROM periods").value();
}

} // namespace

TEST_F(SQLiteAccessTest, FirstUseCopiesTheTemplateIntoANewFolder) {
    ASSERT_FALSE(std::filesystem::exists(databaseFile().parent_path()));
    auto path = SQLiteAccess::pathToDB();
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, databaseFile());
    EXPECT_TRUE(std::filesystem::is_regular_file(databaseFile()));
    EXPECT_EQ(settingsCount(), 17);
    EXPECT_EQ(
        SQLiteAccess::selectOneValueSQL("SELECT value FROM settings WHERE name = 'APP_VERSION'"),
        "130");
}

TEST_F(SQLiteAccessTest, AFileDeletedByHandIsCopiedAgainAndAnExistingOneIsKept) {
    ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 100, 0)"));
    SQLiteAccess::pathToDB();
    EXPECT_EQ(periodStarts().size(), 1u);

    std::filesystem::remove(databaseFile());
    EXPECT_EQ(settingsCount(), 17) << "the template must be copied again";
    EXPECT_TRUE(periodStarts().empty());
}

TEST_F(SQLiteAccessTest, InsertReportsTheNewRowOrNothing) {
    EXPECT_EQ(SQLiteAccess::insertWithSQL("SELECT * FROM settings"), 0);
    EXPECT_EQ(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (42, 1000, 0)"), 42);
    EXPECT_EQ(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, ?, 0)", {2000}), 43);
}

TEST_F(SQLiteAccessTest, AFailingWriteSaysSoAndChangesNothing) {
    ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (1, 1000, 0)"));
    int noticed = 0;
    auto observation = NotificationCenter::defaultCenter().addObserver(
        SQLiteAccess::writeFailedNotification, [&](const Notification&) { ++noticed; });
    // The first statement of the batch succeeds, the second fails: both are undone.
    auto result = SQLiteAccess::insertWithSQL(
        "INSERT INTO periods VALUES (2, 2000, 0); INSERT INTO periods VALUES (1, 3000, 0)");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, StoreError::Kind::failed);
    EXPECT_EQ(result.error().file, databaseFile().string());
    EXPECT_EQ(periodStarts(), std::vector<Row::Value>{"1000"});
    EXPECT_FALSE(SQLiteAccess::insertWithSQL("INSERT INTO nowhere VALUES (1)"));
    EXPECT_TRUE(log_->contains(
        "Can't run query 'INSERT INTO nowhere VALUES (1)' error message: no such table: nowhere"));
    EXPECT_EQ(noticed, 2);
    EXPECT_EQ(SQLiteAccess::lastWriteFailure()->detail, "no such table: nowhere");
}

TEST_F(SQLiteAccessTest, TextReachesTheDiaryOnlyAsAParameter) {
    const std::string typed = "it's \"ok\" %d'); DROP TABLE note; --";
    ASSERT_TRUE(SQLiteAccess::updateWithSQL(
        "UPDATE settings SET value = ? WHERE name = 'GOOGLE_USERNAME'", {typed}));
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT value FROM settings WHERE name = ?",
                                              {"GOOGLE_USERNAME"}),
              typed);
    EXPECT_TRUE(SQLiteAccess::selectOneValueSQL("SELECT COUNT(*) FROM note"));
}

TEST_F(SQLiteAccessTest, ATransactionKeepsAllOrNothingAndNestsAsSavepoints) {
    {
        auto outer = Transaction::begin();
        ASSERT_TRUE(outer);
        ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 10, 0)"));
        {
            auto inner = Transaction::begin();
            ASSERT_TRUE(inner);
            ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 20, 0)"));
        } // not committed: only the inner insert is undone
        ASSERT_TRUE(outer.value().commit());
    }
    {
        auto abandoned = Transaction::begin();
        ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 30, 0)"));
    }
    EXPECT_EQ(periodStarts(), std::vector<Row::Value>{"10"});
}

TEST_F(SQLiteAccessTest, OneValueIsGivenOnlyForOneColumn) {
    ASSERT_TRUE(SQLiteAccess::insertWithSQL(
        "INSERT INTO periods VALUES (NULL, 10, 11); INSERT INTO periods VALUES (NULL, 20, 21)"));
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate, endDate FROM periods"),
              Row::Value());
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate FROM periods WHERE startDate > 99"),
              Row::Value());
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate FROM periods ORDER BY startDate"),
              "20");
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT NULL"), Row::Value());

    Row last =
        SQLiteAccess::selectOneRowWithSQL("SELECT startDate, endDate FROM periods ORDER BY id")
            .value();
    EXPECT_EQ(last.text("startDate"), "20");
    EXPECT_EQ(last.text("endDate"), "21");
    auto rows =
        SQLiteAccess::selectManyRowsWithSQL("SELECT startDate AS s, endDate FROM periods").value();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("s"), "10");
    EXPECT_EQ(rows[1].integer("endDate"), 21);
}

TEST_F(SQLiteAccessTest, SyncWritesRemoveTheNewestSyncEntryOnlyWhenTheyLand) {
    ASSERT_TRUE(SQLiteAccess::insertWithSQL(
        "INSERT INTO syncEntry (id) VALUES (1); INSERT INTO syncEntry (id) VALUES (2)"));
    ASSERT_TRUE(SQLiteAccess::insertSyncWithSQL("INSERT INTO periods VALUES (NULL, 5, 0)"));
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry"),
              std::vector<Row::Value>{"1"});
    EXPECT_FALSE(SQLiteAccess::updateSyncWithSQL("UPDATE nowhere SET x = 1"));
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry"),
              std::vector<Row::Value>{"1"});
    ASSERT_TRUE(SQLiteAccess::deleteSyncWithSQL("DELETE FROM periods"));
    EXPECT_TRUE(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry")->empty());
    EXPECT_TRUE(periodStarts().empty());
}

TEST_F(SQLiteAccessTest, UuidsAreNewEachTime) {
    auto first = SQLiteAccess::stringWithUUID();
    EXPECT_EQ(first.size(), 36u);
    EXPECT_NE(first, SQLiteAccess::stringWithUUID());
}

TEST_F(SQLiteAccessTest, FailedQueriesLogNoTextTheUserTyped) {
    EXPECT_FALSE(SQLiteAccess::updateWithSQL(
        "UPDATE nowhere SET value = ? WHERE name = 'GOOGLE_PASS'", {"my secret"}));
    EXPECT_TRUE(log_->contains("SET value = ? WHERE name = 'GOOGLE_PASS'"));
    EXPECT_FALSE(log_->contains("my secret"));
}

TEST_F(SQLiteAccessTest, ReplacingTheDatabaseStartsAfresh) {
    ASSERT_TRUE(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 5, 0)"));
    SQLiteAccessRewrite::copyReplaceDatabase();
    EXPECT_TRUE(log_->contains("Baza postoji na putanji"));
    EXPECT_TRUE(log_->contains("Stara datoteka pobrisana"));
    EXPECT_TRUE(log_->contains("Nova datoteka kopirana"));
    EXPECT_TRUE(periodStarts().empty());
    EXPECT_EQ(SQLiteAccessRewrite::pathToDB(), databaseFile());
}

TEST_F(SQLiteAccessTest, TheDiaryIsReadableByHerAloneWhateverTheUmask) {
    namespace fs = std::filesystem;
    for (mode_t mask : {mode_t(022), mode_t(077), mode_t(0)}) {
        SCOPED_TRACE(mask);
        mode_t previous = umask(mask);
        fs::remove_all(databaseFile().parent_path());
        ASSERT_TRUE(SQLiteAccess::checkDiary());
        ASSERT_TRUE(DatabaseController::saveCycleLength(30)); // a journal comes and goes
        umask(previous);
        EXPECT_EQ(fs::status(databaseFile()).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(fs::status(databaseFile().parent_path()).permissions(), fs::perms::owner_all);
    }
    // A diary an older release left open to others is narrowed when opened.
    fs::permissions(databaseFile(), fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::add);
    ASSERT_TRUE(SQLiteAccess::checkDiary());
    EXPECT_EQ(fs::status(databaseFile()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(log_->contains("Tightened permissions of '" + databaseFile().string() + "'"));
}
