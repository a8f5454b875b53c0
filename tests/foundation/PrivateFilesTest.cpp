// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/PrivateFiles.h"

#include "foundation/Paths.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <fstream>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace florelle {
namespace {

class PrivateFilesTest : public testing::DiaryTest {};

mode_t modeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// A process id no process can have: above any kernel's limit.
const std::string goneWriter = std::to_string(std::numeric_limits<pid_t>::max());

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(PrivateFilesTest, StartUpTightensTheDiaryAndClearsWhatKilledRunsLeft) {
    const auto documents = Paths::documentsDirectory();
    const auto config = Paths::configDirectory();
    const std::string self = std::to_string(getpid());
    struct Case {
        std::filesystem::path path;
        bool folder;
        mode_t before;
        int ageSeconds;
        // 0: removed.
        mode_t after;
        const char* logged;
    };
    const std::vector<Case> cases = {
        {documents, true, 0755, 0, 0700, "to 0700"},
        {documents / "period", true, 0750, 0, 0700, "to 0700"},
        {documents / "period" / "period.db", false, 0644, 0, 0600, "to 0600"},
        {documents / "period" / "period.db-journal", false, 0640, 0, 0600, "to 0600"},
        {documents / "reminders.ini", false, 0604, 0, 0600, "to 0600"},
        {config, true, 0700, 0, 0700, nullptr},
        {config / "defaults.ini", false, 0600, 0, 0600, nullptr},
        {documents / "notes.txt", false, 0644, 0, 0644, nullptr},
        {documents / ("reminders.ini." + goneWriter + ".Ab3xYz"), false, 0600, 0, 0, "stale"},
        {documents / ("reminders.ini." + self + ".Ab3xYz"), false, 0600, 0, 0600, nullptr},
        {documents / ("reminders.ini." + self + ".Cd4wVu"), false, 0600, 120, 0, "stale"},
        {documents / "reminders.ini.Ef5tSr", false, 0600, 0, 0600, nullptr},
        {config / "defaults.ini.Gh6qPo", false, 0600, 120, 0, "stale"},
        {documents / "reminders.ini.bak", false, 0600, 120, 0600, nullptr},
    };
    for (const auto& c : cases) {
        if (c.folder) {
            std::filesystem::create_directories(c.path);
        } else {
            std::ofstream(c.path) << "private";
            std::filesystem::last_write_time(c.path, std::filesystem::file_time_type::clock::now() -
                                                         std::chrono::seconds(c.ageSeconds));
        }
        ASSERT_EQ(::chmod(c.path.c_str(), c.before), 0) << c.path;
    }

    PrivateFiles::tightenDiaryFiles();

    for (const auto& c : cases) {
        EXPECT_EQ(modeOf(c.path), c.after) << c.path;
        std::vector<std::string> lines;
        for (const auto& line : log_->lines()) {
            if (line.find("'" + c.path.string() + "'") != std::string::npos) {
                lines.push_back(line);
            }
        }
        ASSERT_EQ(lines.size(), c.logged ? 1u : 0u) << c.path;
        if (c.logged) {
            EXPECT_NE(lines[0].find(c.logged), std::string::npos) << lines[0];
        }
    }
}

TEST_F(PrivateFilesTest, AFileWrittenByNameReplacesTheOldOneWholeAndPrivateOrNotAtAll) {
    const auto file = documents_->path() / "report.pdf";
    ASSERT_FALSE(PrivateFiles::writeAtomically(file, "old"));
    // A writer that fails part-way leaves the old file and nothing beside it.
    auto failed = PrivateFiles::writeAtomically(file, [](const std::filesystem::path& temporary) {
        std::ofstream(temporary) << "half";
        return std::make_error_code(std::errc::no_space_on_device);
    });
    EXPECT_EQ(failed, std::errc::no_space_on_device);
    EXPECT_EQ(contentsOf(file), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(documents_->path()), {}), 1);

    EXPECT_FALSE(PrivateFiles::writeAtomically(file, [](const std::filesystem::path& temporary) {
        std::ofstream(temporary) << "new";
        return std::error_code();
    }));
    EXPECT_EQ(contentsOf(file), "new");
    EXPECT_EQ(modeOf(file), 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(documents_->path()), {}), 1);
}

} // namespace
} // namespace florelle
