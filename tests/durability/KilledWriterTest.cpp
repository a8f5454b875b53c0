// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"
#include "support/SpawnedServer.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <thread>

using namespace florelle::testing;

namespace {

class KilledWriterTest : public DiaryTest {};

std::string howItEnded(int status) {
    if (WIFSIGNALED(status)) {
        return "killed by signal " + std::to_string(WTERMSIG(status));
    }
    return "exited with " + std::to_string(WEXITSTATUS(status));
}

} // namespace

// A writer killed at random moments of its saves, a thousand times over:
// every save is stored whole or not at all, so the diary stays sound and
// keeps its rules after each kill.
TEST_F(KilledWriterTest, EverySaveIsWholeOrAbsentWhereverTheWriterIsKilled) {
    constexpr int kills = 1000;
    // Not after every kill: most hot journals are meant to be rolled back by
    // the next writer, not by the check.
    constexpr int checkEvery = 5;
    std::mt19937 random(20260329);
    std::uniform_int_distribution<int> microseconds(0, 6000);
    auto journal = databaseFile().string() + "-journal";
    int cutTransactions = 0;
    for (int kill = 1; kill <= kills; ++kill) {
        SpawnedServer writer(DIARY_WRITER_PATH,
                             {databaseFile().parent_path().parent_path(), "steady"});
        ASSERT_EQ(writer.firstLine(), "ready") << "writer " << kill << " did not start";
        std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        int status = writer.stop(SIGKILL);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "writer " << kill << " " << howItEnded(status) << " before it was killed";
        cutTransactions += std::filesystem::exists(journal);
        if (kill % checkEvery == 0) {
            ASSERT_EQ(DiaryRules::broken(RawDatabase(databaseFile())), std::vector<std::string>())
                << "after " << kill << " kills";
        }
    }
    // Otherwise the kills missed the moments that matter.
    EXPECT_GT(cutTransactions, kills / 5) << "kills inside a transaction";
}
