// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LocalNotification.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace florelle {

// The application's scheduled local notifications and its badge number, in
// one file of the documents folder that every process of the diary shares:
// the window, the reminder helper and the command-line tool. A change is
// read, made and written back under a lock, and the file is replaced in one
// step, so concurrent writers never lose each other's changes and a reader
// never sees half a file. A missing or unreadable file reads as empty.
class LocalNotificationStore {
public:
    static constexpr const char* fileName = "reminders.ini";
    static constexpr const char* lockFileName = "reminders.lock";

    struct Entry {
        LocalNotification notification;
        // Shown already; kept so that no process shows it again.
        bool delivered = false;

        bool operator==(const Entry&) const = default;
    };

    struct Contents {
        std::vector<Entry> entries;
        int badgeNumber = 0;
    };

    explicit LocalNotificationStore(std::filesystem::path directory);
    // The store in Paths::documentsDirectory().
    static LocalNotificationStore standard();

    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path file() const { return directory_ / fileName; }

    Contents read() const;
    // Lets `change` edit the current contents and writes them back when it
    // returns true. False (with a log line) when the store could not be
    // locked or written; the file then stays as it was.
    bool update(const std::function<bool(Contents&)>& change);

private:
    std::filesystem::path directory_;
};

} // namespace florelle
