// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace florelle::testing;

namespace {

class CliImportTest : public ::testing::Test {
protected:
    CliResult cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--now", "2026-03-10T12:00"});
        return runCli(arguments, data_.path(), "Europe/Berlin");
    }
    std::string file(const std::string& name, const std::string& text) {
        auto path = data_.path() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    TempDirectory data_;
};

} // namespace

// A dry run prints the plan and leaves the diary byte for byte as it was;
// the import then stores just that, and a second one adds nothing.
TEST_F(CliImportTest, DryRunPrintsThePlanAndTheImportStoresIt) {
    ASSERT_EQ(cli({"log", "start", "2026-02-02"}).status, 0);
    ASSERT_EQ(cli({"log", "end", "2026-02-06"}).status, 0);
    std::string periods = file("periods.csv", "start,end\n2026-01-05,2026-01-09\n"
                                              "2026-02-05,2026-02-08\n");
    std::string before = databaseBytes(data_.path());

    auto dry = cli({"import", periods, "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "From a CSV file (dry run: nothing is stored):\n"
                       "Periods to add: 1\n"
                       "  2026-01-05 – 2026-01-09\n"
                       "Periods skipped: 1\n"
                       "  2026-02-05 – 2026-02-08  overlaps or touches a logged period\n"
                       "Days whose log gains entries: 0\n");
    EXPECT_EQ(databaseBytes(data_.path()), before);

    auto stored = cli({"import", periods, "--json"});
    ASSERT_EQ(stored.status, 0) << stored.err;
    auto json = nlohmann::json::parse(stored.out);
    EXPECT_EQ(json["format"], "csv");
    EXPECT_EQ(json["dryRun"], false);
    EXPECT_EQ(json["periodsAdded"],
              nlohmann::json::parse(R"([{"start": "2026-01-05", "end": "2026-01-09"}])"));
    EXPECT_EQ(json["periodsSkipped"][0]["reason"], "overlaps or touches a logged period");
    auto listed = cli({"periods", "--json"});
    EXPECT_EQ(nlohmann::json::parse(listed.out)[1]["start"], "2026-01-05");

    auto again = cli({"import", periods, "--json"});
    EXPECT_EQ(nlohmann::json::parse(again.out)["periodsAdded"].size(), 0u);
}

TEST_F(CliImportTest, RefusesBadFilesAndOptionsWithoutChange) {
    std::string badDate = file("bad.csv", "2026-01-05\n2026-01-06\n2026-01-3\n");
    std::string notArray = file("m.json", "{\"type\": \"period\"}\n");
    std::string missing = (data_.path() / "missing.csv").string();
    // The diary exists before the first refusal.
    ASSERT_EQ(cli({"periods"}).status, 0);
    expectRefusedWithoutChange(
        {
            {{"import", badDate}, 1, "'bad.csv': line 3: not a date: 2026-01-3"},
            {{"import", notArray}, 1, "line 1: not a JSON array of measurements"},
            {{"import", badDate, "--format", "clue"}, 1, "line 1: not valid JSON"},
            {{"import", missing}, 1, "'missing.csv': cannot be read"},
            {{"import", badDate, "--format", "flo"}, 2, "--format is drip, clue or csv"},
            {{"import"}, 2, "'import' needs the file"},
        },
        [&](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
}

// A German user reads why a file is refused, for an import as for a restore,
// in German.
TEST_F(CliImportTest, RefusalReasonsAreInTheUsersLanguage) {
    std::string badDate = file("bad.csv", "2026-01-05\n2026-01-3\n");
    std::string garbage = file("garbage.db", std::string(4096, 'x'));
    struct Case {
        std::vector<std::string> arguments;
        const char* reason;
    } cases[] = {
        {{"import", badDate}, "Zeile 2: kein Datum: 2026-01-3"},
        {{"restore", garbage}, "die Kopie ist keine SQLite-Datenbank"},
    };
    for (const Case& c : cases) {
        auto refused = runCli(c.arguments, data_.path(), "Europe/Berlin", "de_DE.UTF-8");
        EXPECT_EQ(refused.status, 1) << c.arguments[0];
        EXPECT_NE(refused.err.find(c.reason), std::string::npos) << refused.err;
    }
}
