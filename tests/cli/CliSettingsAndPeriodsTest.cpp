// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

using namespace florelle::testing;

namespace {

class CliTest : public ::testing::Test {
protected:
    CliResult cli(const std::vector<std::string>& arguments, const std::string& zone = "UTC") {
        return runCli(arguments, data_.path(), zone);
    }
    TempDirectory data_;
};

} // namespace

TEST_F(CliTest, SettingsAreShownAndChangedWithTheStorageRules) {
    auto shown = cli({"settings", "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    auto settings = nlohmann::json::parse(shown.out);
    EXPECT_EQ(settings["cycle-length"], 28);
    EXPECT_EQ(settings["units"], "metric");

    EXPECT_EQ(cli({"settings", "set", "cycle-length", "0"}).out, "cycle-length 1\n");
    EXPECT_EQ(cli({"settings", "set", "period-reminder", "3"}).out, "period-reminder 3\n");
    EXPECT_EQ(cli({"settings", "set", "units", "imperial"}).status, 0);
    EXPECT_EQ(cli({"settings", "set", "pregnant", "yes"}).status, 0);
    auto text = cli({"settings"}).out;
    EXPECT_NE(text.find("cycle-length      1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("units             imperial\n"), std::string::npos) << text;
    EXPECT_NE(text.find("pregnant-since"), std::string::npos) << text;
}

TEST_F(CliTest, PeriodsAreListedNewestFirstWithTheirLengths) {
    // A diary kept in Berlin.
    EXPECT_EQ(cli({"periods"}, "Europe/Berlin").out, "No period logged yet.\n");
    // Written the way the window writes them: local midnights of the device's zone.
    // 1 February, 1-5 March and 29 March - 2 April 2026 in Berlin (clocks change on 29 March),
    // then open.
    seedDatabase(data_.path(), "INSERT INTO periods VALUES (NULL, 1769900400, 1769900400);"
                               "INSERT INTO periods VALUES (NULL, 1772319600, 1772665200);"
                               "INSERT INTO periods VALUES (NULL, 1774738800, 1775080800);"
                               "INSERT INTO periods VALUES (NULL, 1777154400, 0);");
    auto listed = cli({"periods"}, "Europe/Berlin");
    ASSERT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "2026-04-26  open               \n"
                          "2026-03-29  2026-04-02   5 days  cycle 28 days\n"
                          "2026-03-01  2026-03-05   5 days  cycle 28 days\n"
                          "2026-02-01  2026-02-01   1 day   cycle 28 days\n");
    auto json = nlohmann::json::parse(cli({"periods", "--json"}, "Europe/Berlin").out);
    ASSERT_EQ(json.size(), 4u);
    EXPECT_TRUE(json[0]["end"].is_null());
    EXPECT_EQ(json[1]["start"], "2026-03-29");
    EXPECT_EQ(json[1]["periodDays"], 5);
    EXPECT_EQ(json[2]["cycleDays"], 28);
}

TEST_F(CliTest, BadInputIsNamedAndChangesNothing) {
    ASSERT_EQ(cli({"settings"}).status, 0);
    // Echoed input is cut after its first 40 characters.
    const std::string longName(100, 'x');
    const std::string longNameShown = "no setting '" + std::string(40, 'x') + "…'";
    expectRefusedWithoutChange(
        {
            {{"log", "start", ""}, 2, "an empty argument after 'start'"},
            {{"periods", "--data-dir", ""}, 2, "--data-dir needs a value, not an empty one"},
            {{"log", "start", "0000-01-01"}, 2, "'0000-01-01' lies outside the years 1900 to 2100"},
            {{"log", "start", "2101-01-01"}, 2, "'2101-01-01' lies outside the years"},
            {{"predict", "--from", "1899-12-31", "--to", "today"}, 2, "'1899-12-31' lies outside"},
            {{"predict", "--from", "today\x1b[2J", "--to", "today"},
             2,
             "'today\\x1b[2J' is not a date"},
            {{"status", "--json", "--format", "{kind}"}, 2, "--json and --format cannot be used"},
            {{"status", "--now", "2027-03-01"}, 2, "'2027-03-01' is not a date and time"},
            {{"predict", "--now", "2027-02-29T12:00"}, 2, "is not a time of the local calendar"},
            {{"periods", "--all\r"}, 2, "unknown option '--all\\r'"},
            {{"settings", "set", "units", "metric\nimperial"}, 2, "not 'metric\\nimperial'"},
            {{"settings", "set",
              "colour\x9b"
              "31m"},
             2,
             "no setting 'colour\\x9b31m'"},
            {{"settings", "set", "colour\u009b31m"}, 2, "no setting 'colour\\xc2\\x9b31m'"},
            {{"settings", "set", longName}, 2, longNameShown.c_str()},
            {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
            {{"periods", "--verbose"}, 2, "unknown option '--verbose'"},
            {{"periods", "--format", "x"}, 2, "'periods' does not take --format"},
            {{"settings", "set", "cycle-length", "60"}, 2, "from 0 to 59, not '60'"},
            {{"settings", "set", "cycle-length", "-1"}, 2, "not '-1'"},
            {{"settings", "set", "period-length", "5x"}, 2, "not '5x'"},
            {{"settings", "set", "units", "metres"}, 2, "metric or imperial, not 'metres'"},
            {{"settings", "set", "colour", "red"}, 2, "no setting 'colour'"},
            {{"settings", "set", "cycle-length"}, 2, "needs a value"},
            {{"settings", "frob"}, 2, "knows only 'set'"},
        },
        [&](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
}

TEST_F(CliTest, AFolderThatCannotHoldTheDiaryIsAFailure) {
    std::ofstream(data_.path() / "period") << "a file where the folder should be";
    auto result = cli({"periods"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot be created or opened"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("is not a folder"), std::string::npos) << result.err;
}

// Every command, also one that only reads, says which file is in trouble and
// leaves it exactly as it was.
TEST_F(CliTest, AnEmptyOrDamagedDiaryIsAFailureOfEveryCommand) {
    ASSERT_EQ(cli({"periods"}).status, 0);
    auto diary = data_.path() / "period" / "period.db";
    for (const std::string& bytes : {std::string(), std::string(4096, '\x5a')}) {
        std::ofstream(diary, std::ios::binary | std::ios::trunc) << bytes;
        for (std::vector<std::string> command :
             {std::vector<std::string>{"status"}, {"periods"}, {"log", "start"}}) {
            auto result = cli(command);
            EXPECT_EQ(result.status, 1) << command[0];
            EXPECT_NE(result.err.find(diary.string()), std::string::npos) << result.err;
        }
        std::ifstream in(diary, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
    }
}

TEST_F(CliTest, HelpIsThereForEveryCommand) {
    for (const char* command : {"periods", "settings"}) {
        auto result = cli({command, "--help"});
        EXPECT_EQ(result.status, 0);
        EXPECT_NE(result.out.find("Usage: florelle-cli"), std::string::npos) << command;
    }
    EXPECT_EQ(cli({"--help"}).status, 0);
    EXPECT_EQ(cli({}).status, 2);
}
