// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/SmallDisk.h"

#include <gtest/gtest.h>

using namespace florelle::testing;

// On a full disk `log` says so, exits 1 and leaves the diary as it was; once
// there is room again the same command logs the period.
TEST(CliDiskFullTest, ALogThatDoesNotFitIsRefusedAndSaysSo) {
    std::string why;
    auto disk = SmallDisk::mount(512 * 1024, why);
    if (!disk) {
        GTEST_SKIP() << why;
    }
    auto data = disk->path() / "data";
    auto run = [&](const std::vector<std::string>& arguments) { return runCli(arguments, data); };
    ASSERT_EQ(run({"periods"}).status, 0);
    disk->fill();
    expectRefusedWithoutChange({{{"log", "start", "yesterday"}, 1, "is full"}}, run, data);
    disk->release(64 * 1024);
    auto logged = run({"log", "start", "yesterday"});
    EXPECT_EQ(logged.status, 0) << logged.err;
}
