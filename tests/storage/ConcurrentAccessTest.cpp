// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawDatabase.h"
#include "foundation/Format.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class ConcurrentAccessTest : public DiaryTest {};

} // namespace

TEST_F(ConcurrentAccessTest, AWriteWaitsForAnotherConnectionsLock) {
    SQLiteAccess::pathToDB();
    RawDatabase other(databaseFile());
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.exec("COMMIT");
    });
    EXPECT_TRUE(DatabaseController::saveCycleLength(33));
    release.join();
    EXPECT_EQ(DatabaseController::getCycleLength(), 33);
    EXPECT_FALSE(log_->contains("database is locked"));
}

// A process killed at any moment, even inside COMMIT, leaves every batch
// either whole or absent and the file sound.
TEST_F(ConcurrentAccessTest, AKilledWriterLeavesWholeBatchesOnly) {
    SQLiteAccess::pathToDB();
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int batch = 0;; ++batch) {
                long long key = round * 100000LL + batch;
                static_cast<void>(SQLiteAccess::insertWithSQL(
                    format("INSERT INTO periods VALUES (NULL, %d, 1); INSERT INTO periods VALUES "
                           "(NULL, %d, 2); UPDATE settings SET value = %d WHERE name = 'AGE'",
                           key, key, key)));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + round * 1700));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        RawDatabase raw(databaseFile());
        EXPECT_EQ(raw.text("PRAGMA integrity_check"), "ok");
        EXPECT_EQ(raw.integer("SELECT COUNT(*) FROM (SELECT startDate FROM periods GROUP BY "
                              "startDate HAVING COUNT(*) <> 2)"),
                  0)
            << "a batch was cut in two";
        EXPECT_EQ(raw.text("SELECT value FROM settings WHERE name = 'AGE'"),
                  raw.text("SELECT IFNULL(MAX(startDate), 0) FROM periods"));
    }
    EXPECT_GT(RawDatabase(databaseFile()).integer("SELECT COUNT(*) FROM periods"), 0);
}
