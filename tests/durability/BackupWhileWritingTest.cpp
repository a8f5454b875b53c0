// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryRules.h"
#include "storage/DiaryCopies.h"
#include "storage/SQLiteAccess.h"
#include "support/SpawnedServer.h"
#include "support/TestEnvironment.h"

#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

class BackupWhileWritingTest : public DiaryTest {};

} // namespace

// Copies taken while another program saves without a pause: each is the
// diary at one moment, sound and keeping every rule, and readable by her
// alone.
TEST_F(BackupWhileWritingTest, EachCopyIsTheDiaryAtOneMoment) {
    constexpr int copies = 40;
    SQLiteAccess::pathToDB();
    SpawnedServer writer(DIARY_WRITER_PATH, {databaseFile().parent_path().parent_path(), "steady"});
    ASSERT_EQ(writer.firstLine(), "ready");
    std::set<std::string> states;
    for (int i = 0; i < copies; ++i) {
        auto copy = documents_->path() / ("copy" + std::to_string(i) + ".db");
        ASSERT_EQ(DiaryCopies::backup(copy), std::nullopt) << "copy " << i;
        RawDatabase diary(copy);
        ASSERT_EQ(DiaryRules::broken(diary), std::vector<std::string>()) << "copy " << i;
        states.insert(diary.text("SELECT group_concat(startDate || '-' || endDate) FROM periods"));
        struct stat status {};
        ASSERT_EQ(stat(copy.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
    }
    writer.stop(SIGTERM);
    EXPECT_GT(states.size(), copies / 4u) << "the writer saved between the copies";
}
