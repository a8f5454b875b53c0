// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"
#include "support/SpawnedServer.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <thread>

using namespace florelle::testing;

namespace {

class ContendedWritersTest : public DiaryTest {};

} // namespace

// Four programs logging, adding and editing periods on the same days for
// half a minute: each check and the write it allows are one transaction, so
// no two periods ever share a start day or any day.
TEST_F(ContendedWritersTest, FourWritersNeverShareADay) {
    using namespace std::chrono;
    auto origin = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    auto documents = databaseFile().parent_path().parent_path();
    std::vector<std::unique_ptr<SpawnedServer>> writers;
    for (int i = 0; i < 4; ++i) {
        writers.push_back(std::make_unique<SpawnedServer>(
            DIARY_WRITER_PATH,
            std::vector<std::string>{documents, "contended", std::to_string(origin)}));
        ASSERT_EQ(writers.back()->firstLine(), "ready");
    }
    for (int second = 5; second <= 30; second += 5) {
        std::this_thread::sleep_for(seconds(5));
        EXPECT_EQ(DiaryRules::broken(RawDatabase(databaseFile())), std::vector<std::string>())
            << "after " << second << " s";
    }
    for (auto& writer : writers) {
        int status = writer->stop(SIGKILL);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "a writer ended before it was stopped: a save failed or it crashed";
    }
    RawDatabase diary(databaseFile());
    EXPECT_EQ(DiaryRules::broken(diary), std::vector<std::string>());
    // Otherwise they hardly wrote at all.
    EXPECT_GT(diary.integer("SELECT COUNT(*) FROM periods"), 100);
}
