// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/stat.h>

using namespace florelle::testing;

namespace {

class CliExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(cli({"periods"}).status, 0); // makes the diary
        std::filesystem::create_directory(out());
    }
    CliResult cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--now", "2026-03-01T12:00"});
        return runCli(arguments, data_.path());
    }
    std::filesystem::path out() const { return data_.path() / "out"; }
    static std::string contents(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TempDirectory data_;
};

TEST_F(CliExportTest, WritesTheReportsOfTheMonthsAskedForIntoTheFolder) {
    // A period from 30 January to 3 February 2026 (UTC), another since 27
    // February, which also has the mood Happy.
    seedDatabase(data_.path(), "INSERT INTO periods VALUES (NULL, 1769731200, 1770076800);"
                               "INSERT INTO periods VALUES (NULL, 1772150400, 0);"
                               "INSERT INTO dates VALUES (1, 1772150400, 1);"
                               "INSERT INTO usedMoods VALUES (1, 1);");
    auto both = cli({"export", "--pdf", "--csv", "--months", "6", out().string()});
    ASSERT_EQ(both.status, 0) << both.err;
    const std::vector<std::string> names = {"Florelle-cycle.pdf", "Florelle-moods-symptoms.pdf",
                                            "Period.csv", "Symptoms.csv"};
    std::string listed;
    for (const auto& name : names) {
        listed += (out() / name).string() + "\n";
        struct stat status {};
        ASSERT_EQ(::stat((out() / name).c_str(), &status), 0) << name;
        EXPECT_EQ(status.st_mode & 07777, 0600u) << name;
    }
    EXPECT_EQ(both.out, listed);
    EXPECT_TRUE(contents(out() / "Florelle-cycle.pdf").starts_with("%PDF-"));
    EXPECT_EQ(contents(out() / "Period.csv"), "\xEF\xBB\xBF"
                                              "Cycle data for the last 6 months\n"
                                              "(9/2/25-3/1/26)\n\n"
                                              "PERIOD START,PERIOD END,CYCLE LENGTH\n\n"
                                              "2/27/26,/,/   days\n"
                                              "1/30/26,2/3/26,28 days\n");
    EXPECT_NE(contents(out() / "Symptoms.csv").find("2/27/26\n ,Happy, \n\n"), std::string::npos);

    // Without a format: the PDF files, as the window sends them.
    std::filesystem::remove_all(out());
    std::filesystem::create_directory(out());
    auto plain = cli({"export", out().string()});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out()), {}), 2);
    EXPECT_TRUE(std::filesystem::exists(out() / "Florelle-moods-symptoms.pdf"));
}

TEST_F(CliExportTest, BadRequestsAreRefusedAndWriteNothing) {
    expectRefusedWithoutChange(
        {
            {{"export"}, 2, "needs the folder"},
            {{"export", "--months", "0", out().string()}, 2, "--months must be a whole number"},
            {{"export", "--months", "12x", out().string()}, 2, "--months must be a whole number"},
            {{"export", "--json", out().string()}, 2, "does not take --json"},
            {{"export", out().string(), "more"}, 2, "does not expect 'more'"},
            {{"export", (out() / "missing").string()}, 1, "no folder"},
        },
        [&](const std::vector<std::string>& arguments) { return cli(arguments); }, data_.path());
    EXPECT_TRUE(std::filesystem::is_empty(out()));
}

} // namespace
