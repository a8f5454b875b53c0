// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace florelle::testing;

namespace {

class CliCopiesTest : public ::testing::Test {
protected:
    CliResult cli(const std::vector<std::string>& arguments) {
        return runCli(arguments, data_.path());
    }
    std::filesystem::path copy(const std::string& name) const { return copies_.path() / name; }
    TempDirectory data_;
    TempDirectory copies_;
};

} // namespace

// What she backed up comes back with restore, and the commands after it
// read the restored diary.
TEST_F(CliCopiesTest, ARestoredBackupIsTheDiaryAgain) {
    ASSERT_EQ(cli({"log", "start", "2026-03-01", "--now", "2026-03-05T12:00"}).status, 0);
    ASSERT_EQ(cli({"log", "end", "2026-03-04", "--now", "2026-03-05T12:00"}).status, 0);
    ASSERT_EQ(cli({"day", "2026-03-02", "--mood", "Calm", "--note", "kept"}).status, 0);
    auto backup = cli({"backup", copy("diary.db").string()});
    ASSERT_EQ(backup.status, 0) << backup.err;
    EXPECT_EQ(backup.out, "Diary copied to " + copy("diary.db").string() + "\n");

    ASSERT_EQ(cli({"log", "start", "2026-03-20", "--now", "2026-03-21T12:00"}).status, 0);
    ASSERT_EQ(nlohmann::json::parse(cli({"periods", "--json"}).out).size(), 2u);

    auto restored = cli({"restore", copy("diary.db").string(), "--now", "2026-03-21T12:00"});
    ASSERT_EQ(restored.status, 0) << restored.err;
    auto kept = data_.path() / "period" / "period-2026-03-21.db";
    EXPECT_EQ(restored.out, "Diary restored from " + copy("diary.db").string() +
                                "\nThe diary it replaced is kept as " + kept.string() + "\n");
    EXPECT_TRUE(std::filesystem::exists(kept));
    auto periods = nlohmann::json::parse(cli({"periods", "--json"}).out);
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0]["start"], "2026-03-01");
    auto status = nlohmann::json::parse(cli({"status", "--json", "--now", "2026-03-21T12:00"}).out);
    EXPECT_EQ(status["daysLeft"], 8) << "counted from the restored period of 1 March";
    EXPECT_EQ(nlohmann::json::parse(cli({"day", "2026-03-02", "--json"}).out)["note"], "kept");
}

TEST_F(CliCopiesTest, WhatCannotBeRestoredOrCopiedIsRefusedWithoutChange) {
    ASSERT_EQ(cli({"log", "start", "2026-03-01", "--now", "2026-03-05T12:00"}).status, 0);
    std::ofstream(copy("garbage.db"), std::ios::binary) << std::string(4096, 'x');
    ASSERT_EQ(cli({"backup", copy("newer.db").string()}).status, 0);
    ASSERT_EQ(std::system(("sqlite3 '" + copy("newer.db").string() +
                           "' \"UPDATE settings SET value = 100000 WHERE name = 'APP_VERSION'\"")
                              .c_str()),
              0);
    auto diary = (data_.path() / "period" / "period.db").string();
    expectRefusedWithoutChange(
        {
            {{"restore", copy("garbage.db").string()},
             1,
             "was not restored: it is not an SQLite database; the diary was left as it was"},
            {{"restore", copy("newer.db").string()}, 1, "newer Florelle (data version 100000"},
            {{"restore", copy("missing.db").string()}, 1, "No such file"},
            {{"restore", diary}, 1, "the diary itself"},
            {{"backup", diary}, 1, "is the diary itself"},
            {{"backup", copies_.path().string()}, 1, "is a folder"},
            {{"restore"}, 2, "needs the file of the copy"},
            {{"backup", "a.db", "b.db"}, 2, "does not expect 'b.db'"},
        },
        [this](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
    EXPECT_FALSE(std::filesystem::exists(data_.path() / "period" / "period-2026-03-05.db"));
}
