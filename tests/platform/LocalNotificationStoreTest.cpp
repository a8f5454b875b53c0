// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalNotificationStore.h"

#include "foundation/Paths.h"
#include "foundation/UserDefaults.h"
#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

class LocalNotificationStoreTest : public DiaryTest {
protected:
    static LocalNotification notification(double fireDate, std::string body) {
        LocalNotification result;
        result.fireDate = Date(fireDate);
        result.timeZone = "Europe/Berlin";
        result.alertBody = std::move(body);
        result.alertAction = "Period details";
        return result;
    }

    static void add(LocalNotificationStore& store, const LocalNotification& note) {
        ASSERT_TRUE(store.update([&](LocalNotificationStore::Contents& contents) {
            contents.entries.push_back({note, false});
            return true;
        }));
    }
};

TEST_F(LocalNotificationStoreTest, KeepsEveryFieldAcrossARestart) {
    auto store = LocalNotificationStore::standard();
    // Texts from translations may hold anything a key file treats specially.
    LocalNotification tricky = notification(1774612800.5, "Zyklus [1]\nbeginnt = in 2 Tagen; ☺ #");
    tricky.soundName = "";
    add(store, tricky);
    add(store, notification(1774958400, "plain"));
    ASSERT_TRUE(store.update([](LocalNotificationStore::Contents& contents) {
        contents.entries[1].delivered = true;
        contents.badgeNumber = 3;
        return true;
    }));

    LocalNotificationStore reopened(Paths::documentsDirectory());
    auto contents = reopened.read();
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[0], (LocalNotificationStore::Entry{tricky, false}));
    EXPECT_EQ(contents.entries[1],
              (LocalNotificationStore::Entry{notification(1774958400, "plain"), true}));
    EXPECT_EQ(contents.badgeNumber, 3);
    EXPECT_EQ(reopened.file(), Paths::documentsDirectory() / "reminders.ini");
}

TEST_F(LocalNotificationStoreTest, MissingOrDamagedFileReadsAsEmpty) {
    auto store = LocalNotificationStore::standard();
    EXPECT_TRUE(store.read().entries.empty());

    std::filesystem::create_directories(store.directory());
    std::ofstream(store.file()) << "[Notification 1\nthis is no key file\n";
    auto contents = store.read();
    EXPECT_TRUE(contents.entries.empty());
    EXPECT_EQ(contents.badgeNumber, 0);
    EXPECT_TRUE(log_->contains("cannot read"));

    // The next change starts a sound file again.
    add(store, notification(1774612800, "after damage"));
    EXPECT_EQ(store.read().entries.size(), 1u);
}

TEST_F(LocalNotificationStoreTest, AnEntryWithoutFireDateIsSkipped) {
    auto store = LocalNotificationStore::standard();
    std::filesystem::create_directories(store.directory());
    std::ofstream(store.file()) << "[Notification 1]\nalertBody=lost\n"
                                   "[Notification 2]\nfireDate=1774612800\nalertBody=kept\n";
    auto contents = store.read();
    ASSERT_EQ(contents.entries.size(), 1u);
    EXPECT_EQ(contents.entries[0].notification.alertBody, "kept");
}

TEST_F(LocalNotificationStoreTest, AChangeThatChangesNothingDoesNotWrite) {
    auto store = LocalNotificationStore::standard();
    EXPECT_TRUE(store.update([](LocalNotificationStore::Contents&) { return false; }));
    EXPECT_FALSE(std::filesystem::exists(store.file()));
}

TEST_F(LocalNotificationStoreTest, ConcurrentWritersLoseNothing) {
    constexpr int perWriter = 40;
    auto write = [](std::string name) {
        // Each writer has its own store object, as each process would.
        LocalNotificationStore store(Paths::documentsDirectory());
        for (int index = 0; index < perWriter; ++index) {
            store.update([&](LocalNotificationStore::Contents& contents) {
                contents.entries.push_back(
                    {notification(1774612800 + index, name + std::to_string(index)), false});
                return true;
            });
        }
    };
    std::thread first(write, "first");
    std::thread second(write, "second");
    // A reader in between always sees a whole file.
    for (int round = 0; round < 40; ++round) {
        auto size = LocalNotificationStore::standard().read().entries.size();
        EXPECT_LE(size, 2u * perWriter);
    }
    first.join();
    second.join();
    EXPECT_EQ(LocalNotificationStore::standard().read().entries.size(), 2u * perWriter);
    EXPECT_FALSE(log_->contains("cannot read"));
}

TEST_F(LocalNotificationStoreTest, TheStoreAndTheDefaultsAreHersAloneWhateverTheUmask) {
    for (mode_t mask : {022, 077}) {
        SCOPED_TRACE(mask);
        // Neither folder nor its parent exists yet: the writers make the chain.
        auto parent = documents_->path() / std::to_string(mask);
        Paths::setDocumentsDirectory(parent / "data" / "florelle");
        Paths::setConfigDirectory(parent / "config" / "florelle");
        mode_t previous = ::umask(mask);
        auto store = LocalNotificationStore::standard();
        add(store, notification(1774612800, "private"));
        auto defaults = UserDefaults::standardUserDefaults();
        defaults->setBool("mainFirst", true);
        EXPECT_TRUE(defaults->synchronize());
        ::umask(previous);

        for (const auto& folder : {parent / "data", Paths::documentsDirectory(), parent / "config",
                                   Paths::configDirectory()}) {
            EXPECT_EQ(std::filesystem::status(folder).permissions(), std::filesystem::perms(0700))
                << folder;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                if (entry.is_regular_file()) {
                    EXPECT_EQ(entry.status().permissions(), std::filesystem::perms(0600))
                        << entry.path();
                }
            }
        }
        EXPECT_TRUE(std::filesystem::exists(store.file()));
        EXPECT_TRUE(std::filesystem::exists(defaults->file()));
    }
}

TEST_F(LocalNotificationStoreTest, AStoreThatCannotBeLockedIsLeftAsItWas) {
    auto store = LocalNotificationStore::standard();
    add(store, notification(1774612800, "kept"));
    auto lockFile = store.directory() / LocalNotificationStore::lockFileName;
    std::filesystem::remove(lockFile);
    std::filesystem::create_directory(lockFile);
    EXPECT_FALSE(store.update([](LocalNotificationStore::Contents& contents) {
        contents.entries.clear();
        return true;
    }));
    EXPECT_TRUE(log_->contains("LocalNotificationStore: cannot lock"));
    EXPECT_EQ(store.read().entries.size(), 1u);
}

} // namespace
