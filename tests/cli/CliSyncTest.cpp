// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"
#include "support/AtomServer.h"
#include "support/TestEnvironment.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace florelle::testing;

namespace {

class CliSyncTest : public ::testing::Test {
protected:
    // The command with `input` as its standard input.
    CliResult sync(std::vector<std::string> arguments, const std::string& input) {
        std::filesystem::path file = scratch_.path() / "input";
        std::ofstream(file) << input;
        int saved = ::dup(0);
        int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        ::dup2(fd, 0);
        arguments.insert(arguments.begin(), "sync");
        CliResult result = runCli(arguments, data_.path(), "Europe/Berlin");
        ::dup2(saved, 0);
        ::close(saved);
        ::close(fd);
        return result;
    }

    TempDirectory data_;
    TempDirectory scratch_;
    AtomServer server_{"anna", "secret"};
};

TEST_F(CliSyncTest, CopiesTheDiaryAndSaysWhatItDid) {
    ASSERT_EQ(runCli({"periods"}, data_.path()).status, 0);
    seedDatabase(data_.path(), "INSERT INTO periods VALUES (NULL, 1772319600, 1772665200);");
    auto first =
        sync({"--server", server_.url(), "--user", "anna", "--password-stdin"}, "secret\n");
    ASSERT_EQ(first.status, 0) << first.err;
    std::size_t events = server_.events("Florelle").size();
    EXPECT_GT(events, 100u);
    EXPECT_EQ(first.out, "Created the calendar \"Florelle\".\nInserted " + std::to_string(events) +
                             ", updated 0, deleted 0 events; imported 0 notes.\n");
    // The user name is remembered; the password is asked for each time.
    auto second = sync({"--server", server_.url(), "--password-stdin"}, "secret\n");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out, "Inserted 0, updated 0, deleted 0 events; imported 0 notes.\n");
    EXPECT_EQ(server_.events("Florelle").size(), events);
}

TEST_F(CliSyncTest, RefusesWhatCannotWork) {
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        int status;
        const char* message;
    } cases[] = {
        {{"--server", "http://calendar.example.org", "--user", "a", "--password-stdin"},
         "secret\n",
         2,
         "not an https address"},
        {{"--server", server_.url(), "--user", "anna"},
         "secret\n",
         2,
         "no password is kept for 'anna'"},
        {{"--server", server_.url(), "--user", "anna", "--password-stdin"},
         "",
         2,
         "read no password"},
        {{"--server", server_.url(), "--password-stdin"}, "secret\n", 2, "no user name"},
        {{"--server", server_.url(), "--user", "anna", "--password-stdin"},
         "guess\n",
         1,
         "did not accept the user name and password"},
    };
    for (const auto& row : cases) {
        auto result = sync(row.arguments, row.input);
        EXPECT_EQ(result.status, row.status) << row.message;
        EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(server_.calendarCount("Florelle"), 0);
}

} // namespace
