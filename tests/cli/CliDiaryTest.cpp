// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <nlohmann/json.hpp>

using namespace florelle::testing;

namespace {

class CliDiaryTest : public ::testing::TestWithParam<std::string> {
protected:
    CliResult cli(const std::vector<std::string>& arguments) {
        return runCli(arguments, data_.path(), GetParam());
    }
    nlohmann::json json(const std::vector<std::string>& arguments) {
        auto result = cli(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return nlohmann::json::parse(result.out);
    }
    // Local midnight of a day in the test's zone, as the window stores it.
    long long localMidnight(int year, int month, int day) {
        std::string command = "TZ=" + GetParam() + " date -d '" + std::to_string(year) + "-" +
                              std::to_string(month) + "-" + std::to_string(day) + " 00:00' +%s";
        FILE* pipe = popen(command.c_str(), "r");
        long long seconds = 0;
        EXPECT_EQ(fscanf(pipe, "%lld", &seconds), 1);
        pclose(pipe);
        return seconds;
    }
    void seed(const std::string& sql) {
        ASSERT_EQ(cli({"periods"}).status, 0);
        seedDatabase(data_.path(), sql);
    }
    TempDirectory data_;
};

INSTANTIATE_TEST_SUITE_P(Zones, CliDiaryTest,
                         ::testing::Values("UTC", "America/New_York", "Asia/Tokyo"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '/', '_');
                             return name;
                         });

int nextYear() {
    using namespace std::chrono;
    return int(year_month_day(floor<days>(system_clock::now())).year()) + 1;
}

} // namespace

TEST_P(CliDiaryTest, LoggingAPeriodAndReadingTheStatusBack) {
    auto empty = json({"status", "--json"});
    EXPECT_EQ(empty["kind"], "none");
    EXPECT_TRUE(empty["daysLeft"].is_null()) << "an empty diary has no days to count";

    auto started = cli({"log", "start", "yesterday"});
    ASSERT_EQ(started.status, 0) << started.err;
    auto status = json({"status", "--json"});
    EXPECT_EQ(status["kind"], "period");
    EXPECT_EQ(status["periodDay"], 2) << "the first day is day 1 in every zone";
    EXPECT_EQ(status["daysLeft"], 27);
    EXPECT_EQ(cli({"status", "--format", "{kind}:{periodDay}:{daysLate}"}).out, "period:2:\n");

    ASSERT_EQ(cli({"log", "end", "today"}).status, 0);
    status = json({"status", "--json"});
    EXPECT_EQ(status["kind"], "fertile");
    EXPECT_TRUE(status["periodDay"].is_null());
    auto periods = json({"periods", "--json"});
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0]["periodDays"], 2);
}

TEST_P(CliDiaryTest, ThePredictedDaysOfAMonth) {
    int year = nextYear();
    std::string y = std::to_string(year);
    seed("INSERT INTO periods VALUES (NULL, " + std::to_string(localMidnight(year, 3, 1)) + ", " +
         std::to_string(localMidnight(year, 3, 5)) + ")");
    auto march = cli({"predict", "--from", y + "-03-01", "--to", y + "-03-31"});
    ASSERT_EQ(march.status, 0) << march.err;
    EXPECT_EQ(march.out, y + "-03-01\n" + y + "-03-02\n" + y + "-03-03\n" + y + "-03-04\n" + y +
                             "-03-05\n" + y + "-03-29\n" + y + "-03-30\n" + y + "-03-31\n");
    auto april = json({"predict", "--from", y + "-04-01", "--to", y + "-04-30", "--json"});
    EXPECT_EQ(april, nlohmann::json({y + "-04-01", y + "-04-02", y + "-04-26", y + "-04-27",
                                     y + "-04-28", y + "-04-29", y + "-04-30"}));
    auto ovulation = json(
        {"predict", "--from", y + "-03-01", "--to", y + "-03-31", "--kind", "ovulation", "--json"});
    EXPECT_EQ(ovulation, nlohmann::json({y + "-03-15"}));
}

TEST_P(CliDiaryTest, NowMovesToday) {
    ASSERT_EQ(cli({"log", "start", "today", "--now", "2027-03-01T08:00"}).status, 0);
    EXPECT_EQ(json({"status", "--json", "--now", "2027-03-03T23:30"})["periodDay"], 3);
    EXPECT_EQ(cli({"log", "end", "2027-03-05", "--now", "2027-03-04T12:00"}).status, 1)
        << "the 5th lies after that today";
    ASSERT_EQ(cli({"log", "end", "2027-03-05", "--now", "2027-03-05T12:00"}).status, 0);
    // Predicted days before today are left out.
    EXPECT_EQ(
        cli({"predict", "--from", "2027-03-29", "--to", "2027-04-02", "--now", "2027-03-31T12:00"})
            .out,
        "2027-03-31\n2027-04-01\n2027-04-02\n");
}

TEST_P(CliDiaryTest, RefusedPeriodDaysSayWhyAndChangeNothing) {
    ASSERT_EQ(cli({"log", "start", "today"}).status, 0);
    expectRefusedWithoutChange(
        {
            {{"log", "start", "yesterday"}, 1, "a period is open since"},
            {{"log", "end", "yesterday"}, 1, "the day the open period started"},
            {{"log", "end", "2100-12-31"}, 1, "lies in the future"},
            {{"log", "end", "2026-02-30"}, 2, "'2026-02-30' is not a day of the calendar"},
            {{"log", "end", "1.3.2026"}, 2, "'1.3.2026' is not a date"},
            {{"log", "middle"}, 2, "needs start or end, not 'middle'"},
            {{"predict", "--from", "today"}, 2, "needs both --from and --to"},
            {{"predict", "--from", "today", "--to", "yesterday"}, 2, "lies before --from"},
            {{"predict", "--kind", "moods"}, 2, "not 'moods'"},
            {{"predict", "--kind", "marked"}, 2, "needs a span"},
            {{"status", "--format", "{mood}"}, 2, "not '{mood}'"},
        },
        [&](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
}
