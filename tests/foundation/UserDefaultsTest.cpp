// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/UserDefaults.h"

#include "foundation/Paths.h"
#include "support/TestEnvironment.h"

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace florelle {
namespace {

std::string contentsOf(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

class UserDefaultsTest : public testing::DiaryTest {
protected:
    std::filesystem::path file() const { return Paths::configDirectory() / UserDefaults::fileName; }
};

TEST_F(UserDefaultsTest, ValuesSurviveARestart) {
    {
        UserDefaults defaults(file());
        defaults.setBool("mainFirst", true);
        defaults.setBool("chartsFirst", false);
        defaults.setInteger("kRatingLaunchCount", 12);
        defaults.setDouble("kRatingLaunchDate", 1773144000.25);
        defaults.setString("kRatingCurrentVersion", "1.3.0");
        defaults.setString("note", "two\nlines; and = [signs]");
        ASSERT_TRUE(defaults.synchronize());
    }
    UserDefaults reloaded(file());
    EXPECT_TRUE(reloaded.boolForKey("mainFirst"));
    EXPECT_FALSE(reloaded.boolForKey("chartsFirst"));
    EXPECT_TRUE(reloaded.hasKey("chartsFirst"));
    EXPECT_EQ(reloaded.integerForKey("kRatingLaunchCount"), 12);
    EXPECT_DOUBLE_EQ(reloaded.doubleForKey("kRatingLaunchDate"), 1773144000.25);
    EXPECT_EQ(reloaded.stringForKey("kRatingCurrentVersion"), "1.3.0");
    EXPECT_EQ(reloaded.stringForKey("note"), "two\nlines; and = [signs]");
}

TEST_F(UserDefaultsTest, MissingKeysReadAsEmptyValues) {
    UserDefaults defaults(file());
    EXPECT_FALSE(defaults.hasKey("kRatingDeclinedToRate"));
    EXPECT_FALSE(defaults.boolForKey("kRatingDeclinedToRate"));
    EXPECT_EQ(defaults.integerForKey("kRatingLaunchCount"), 0);
    EXPECT_EQ(defaults.doubleForKey("kRatingLaunchDate"), 0);
    EXPECT_EQ(defaults.stringForKey("kRatingCurrentVersion"), "");
}

TEST_F(UserDefaultsTest, ValuesReadAcrossKinds) {
    UserDefaults defaults(file());
    defaults.setString("count", "42");
    defaults.setInteger("flag", 1);
    defaults.setBool("yes", true);
    defaults.setDouble("ratio", 2.75);
    defaults.setString("word", "abc");
    EXPECT_EQ(defaults.integerForKey("count"), 42);
    EXPECT_TRUE(defaults.boolForKey("flag"));
    EXPECT_EQ(defaults.integerForKey("yes"), 1);
    EXPECT_EQ(defaults.integerForKey("ratio"), 2);
    EXPECT_EQ(defaults.stringForKey("count"), "42");
    EXPECT_EQ(defaults.integerForKey("word"), 0);
    EXPECT_FALSE(defaults.boolForKey("word"));
}

TEST_F(UserDefaultsTest, RemovedKeysAndRefusedKeysAreNotStored) {
    UserDefaults defaults(file());
    defaults.setBool("mainFirst", true);
    defaults.removeKey("mainFirst");
    defaults.setBool("bad=key", true);
    defaults.setBool("", true);
    ASSERT_TRUE(defaults.synchronize());
    UserDefaults reloaded(file());
    EXPECT_FALSE(reloaded.hasKey("mainFirst"));
    EXPECT_FALSE(reloaded.hasKey("bad=key"));
    EXPECT_TRUE(log_->contains("refused the key"));
}

TEST_F(UserDefaultsTest, AFailedWriteLeavesTheOldFileWhole) {
    UserDefaults defaults(file());
    defaults.setString("kRatingCurrentVersion", "1.2.0");
    ASSERT_TRUE(defaults.synchronize());
    std::string before = contentsOf(file());

    defaults.setString("kRatingCurrentVersion", std::string(4096, 'x'));
    // A file size limit makes the write stop part way, as a full disk would.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    bool written = defaults.synchronize();
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_TRUE(log_->contains("UserDefaults: cannot write"));
    EXPECT_EQ(contentsOf(file()), before);
    EXPECT_EQ(UserDefaults(file()).stringForKey("kRatingCurrentVersion"), "1.2.0");
    for (const auto& entry : std::filesystem::directory_iterator(file().parent_path())) {
        EXPECT_EQ(entry.path().filename(), UserDefaults::fileName) << "no temporary file left";
    }
}

TEST_F(UserDefaultsTest, AnUnreadableFileStartsEmptyWithALogLine) {
    std::filesystem::create_directories(file().parent_path());
    std::ofstream(file()) << "\xff\xfe not a key file [";
    UserDefaults defaults(file());
    EXPECT_FALSE(defaults.hasKey("mainFirst"));
    EXPECT_TRUE(log_->contains("UserDefaults: cannot read"));
}

TEST_F(UserDefaultsTest, StandardDefaultsFollowTheConfigurationFolder) {
    auto standard = UserDefaults::standardUserDefaults();
    EXPECT_EQ(standard->file(), file());
    EXPECT_EQ(UserDefaults::standardUserDefaults(), standard);
    Paths::setConfigDirectory(documents_->path() / "elsewhere");
    EXPECT_NE(UserDefaults::standardUserDefaults(), standard);
}

TEST_F(UserDefaultsTest, ConcurrentWritersAndReadersAreSafe) {
    UserDefaults defaults(file());
    std::vector<std::thread> threads;
    for (int index = 0; index < 4; ++index) {
        threads.emplace_back([&defaults, index] {
            for (int round = 0; round < 200; ++round) {
                defaults.setInteger("counter" + std::to_string(index), round);
                defaults.integerForKey("counter0");
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(defaults.integerForKey("counter3"), 199);
    EXPECT_TRUE(defaults.synchronize());
}

} // namespace
} // namespace florelle
