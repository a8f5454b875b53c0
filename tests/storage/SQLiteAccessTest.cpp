#include "storage/SQLiteAccess.h"

#include "RawDatabase.h"
#include "foundation/Bundle.h"
#include "storage/SQLiteAccessRewrite.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class SQLiteAccessTest : public DiaryTest {};

int settingsCount() {
    return static_cast<int>(
        Row::integerValue(SQLiteAccess::selectOneValueSQL("SELECT COUNT(*) FROM settings")));
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
    SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 100, 0)");
    SQLiteAccess::pathToDB();
    EXPECT_EQ(SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM periods").size(), 1u);

    std::filesystem::remove(databaseFile());
    EXPECT_EQ(settingsCount(), 17) << "the template must be copied again";
    EXPECT_TRUE(SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM periods").empty());
}

TEST_F(SQLiteAccessTest, InsertReportsTheNewRowOrNothing) {
    EXPECT_EQ(SQLiteAccess::insertWithSQL("SELECT * FROM settings"), std::nullopt);
    EXPECT_EQ(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (42, 1000, 0)"), 42);
    EXPECT_EQ(SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 2000, 0)"), 43);
}

TEST_F(SQLiteAccessTest, AFailingWriteReturnsTheNegatedCodeAndChangesNothing) {
    SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (1, 1000, 0)");
    // The first statement of the batch succeeds, the second fails: both are undone.
    auto result = SQLiteAccess::insertWithSQL(
        "INSERT INTO periods VALUES (2, 2000, 0); INSERT INTO periods VALUES (1, 3000, 0)");
    EXPECT_EQ(result, -19); // SQLITE_CONSTRAINT
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT startDate FROM periods"),
              std::vector<Row::Value>{"1000"});
    EXPECT_EQ(SQLiteAccess::insertWithSQL("INSERT INTO nowhere VALUES (1)"), -1);
    EXPECT_TRUE(log_->contains("Can't run query 'BEGIN TRANSACTION; INSERT INTO nowhere VALUES "
                               "(1); COMMIT TRANSACTION;' error message: no such table: nowhere"));
}

TEST_F(SQLiteAccessTest, OneValueIsGivenOnlyForOneColumn) {
    SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 10, 11); INSERT INTO periods "
                                "VALUES (NULL, 20, 21)");
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate, endDate FROM periods"),
              std::nullopt);
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate FROM periods WHERE startDate > 99"),
              std::nullopt);
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT startDate FROM periods ORDER BY startDate"),
              "20");
    EXPECT_EQ(SQLiteAccess::selectOneValueSQL("SELECT NULL"), std::nullopt);

    Row last =
        SQLiteAccess::selectOneRowWithSQL("SELECT startDate, endDate FROM periods ORDER BY id");
    EXPECT_EQ(last.text("startDate"), "20");
    EXPECT_EQ(last.text("endDate"), "21");
    auto rows = SQLiteAccess::selectManyRowsWithSQL("SELECT startDate AS s, endDate FROM periods");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].text("s"), "10");
    EXPECT_EQ(rows[1].integer("endDate"), 21);
}

TEST_F(SQLiteAccessTest, EscapingDoublesApostrophesOnly) {
    EXPECT_EQ(SQLiteAccess::escapeString("it's \"ok\" \\ %d"), "it''s \"ok\" \\ %d");
    EXPECT_EQ(SQLiteAccess::escapeString("''"), "''''");
}

TEST_F(SQLiteAccessTest, SyncWritesRemoveTheNewestSyncEntryOnlyWhenTheyLand) {
    SQLiteAccess::insertWithSQL("INSERT INTO syncEntry (id) VALUES (1); INSERT INTO syncEntry (id) "
                                "VALUES (2)");
    SQLiteAccess::insertSyncWithSQL("INSERT INTO periods VALUES (NULL, 5, 0)");
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry"),
              std::vector<Row::Value>{"1"});
    EXPECT_LT(SQLiteAccess::updateSyncWithSQL("UPDATE nowhere SET x = 1").value_or(0), 0);
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry"),
              std::vector<Row::Value>{"1"});
    SQLiteAccess::deleteSyncWithSQL("DELETE FROM periods");
    EXPECT_TRUE(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM syncEntry").empty());
    EXPECT_TRUE(SQLiteAccess::selectManyValuesWithSQL("SELECT id FROM periods").empty());
}

TEST_F(SQLiteAccessTest, StatementsWithoutTheWrapperCommitOneByOne) {
    SQLiteAccess::executeWithoutTransaction(
        "INSERT INTO periods VALUES (1, 10, 0); INSERT INTO periods VALUES (1, 20, 0)");
    EXPECT_EQ(SQLiteAccess::selectManyValuesWithSQL("SELECT startDate FROM periods"),
              std::vector<Row::Value>{"10"});
}

TEST_F(SQLiteAccessTest, UuidsAreNewEachTime) {
    auto first = SQLiteAccess::stringWithUUID();
    EXPECT_EQ(first.size(), 36u);
    EXPECT_NE(first, SQLiteAccess::stringWithUUID());
}

TEST_F(SQLiteAccessTest, FailedQueriesLogNoTextTheUserTyped) {
    SQLiteAccess::updateWithSQL(
        "UPDATE nowhere SET value = 'my secret' WHERE name = 'GOOGLE_PASS'");
    EXPECT_TRUE(log_->contains("SET value = '...' WHERE name = 'GOOGLE_PASS'"));
    EXPECT_FALSE(log_->contains("my secret"));
}

TEST_F(SQLiteAccessTest, ReplacingTheDatabaseStartsAfresh) {
    SQLiteAccess::insertWithSQL("INSERT INTO periods VALUES (NULL, 5, 0)");
    SQLiteAccessRewrite::copyReplaceDatabase();
    EXPECT_TRUE(log_->contains("Baza postoji na putanji"));
    EXPECT_TRUE(log_->contains("Stara datoteka pobrisana"));
    EXPECT_TRUE(log_->contains("Nova datoteka kopirana"));
    EXPECT_TRUE(SQLiteAccess::selectManyRowsWithSQL("SELECT * FROM periods").empty());
    EXPECT_EQ(SQLiteAccessRewrite::pathToDB(), databaseFile());
}
