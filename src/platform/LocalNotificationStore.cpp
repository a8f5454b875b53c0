// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalNotificationStore.h"

#include "foundation/FileDescriptor.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/PrivateFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <glib.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/file.h>

namespace florelle {

namespace {

constexpr const char* applicationGroup = "Application";
constexpr const char* notificationGroupPrefix = "Notification ";
// Keys of a notification's user info; programs that know none of them read
// the rest of the group as before.
constexpr const char* userInfoPrefix = "userInfo.";

struct KeyFileFree {
    void operator()(GKeyFile* keyFile) const { g_key_file_free(keyFile); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileFree>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

struct TextFree {
    void operator()(char* text) const { g_free(text); }
};
using Text = std::unique_ptr<char, TextFree>;

struct TextListFree {
    void operator()(char** list) const { g_strfreev(list); }
};
using TextList = std::unique_ptr<char*, TextListFree>;

std::string stringValue(GKeyFile* keyFile, const char* group, const char* key) {
    Text value(g_key_file_get_string(keyFile, group, key, nullptr));
    return value ? std::string(value.get()) : std::string();
}

std::optional<LocalNotificationStore::Entry> readEntry(GKeyFile* keyFile, const char* group) {
    GError* rawError = nullptr;
    double fireDate = g_key_file_get_double(keyFile, group, "fireDate", &rawError);
    if (rawError != nullptr) {
        g_error_free(rawError);
        return std::nullopt;
    }
    LocalNotificationStore::Entry entry;
    entry.notification.fireDate = Date(fireDate);
    entry.notification.timeZone = stringValue(keyFile, group, "timeZone");
    entry.notification.alertBody = stringValue(keyFile, group, "alertBody");
    entry.notification.alertAction = stringValue(keyFile, group, "alertAction");
    entry.notification.soundName = stringValue(keyFile, group, "soundName");
    entry.delivered = g_key_file_get_boolean(keyFile, group, "delivered", nullptr);
    TextList keys(g_key_file_get_keys(keyFile, group, nullptr, nullptr));
    for (char** key = keys.get(); key && *key != nullptr; ++key) {
        if (g_str_has_prefix(*key, userInfoPrefix)) {
            entry.notification.userInfo[*key + std::strlen(userInfoPrefix)] =
                stringValue(keyFile, group, *key);
        }
    }
    return entry;
}

LocalNotificationStore::Contents parse(GKeyFile* keyFile) {
    LocalNotificationStore::Contents contents;
    contents.badgeNumber =
        g_key_file_get_integer(keyFile, applicationGroup, "badgeNumber", nullptr);
    TextList groups(g_key_file_get_groups(keyFile, nullptr));
    for (char** group = groups.get(); *group != nullptr; ++group) {
        if (!g_str_has_prefix(*group, notificationGroupPrefix)) {
            continue;
        }
        if (auto entry = readEntry(keyFile, *group)) {
            contents.entries.push_back(std::move(*entry));
        } else {
            Log::write(std::string("LocalNotificationStore: skipped a notification without a fire "
                                   "date: ") +
                       *group);
        }
    }
    return contents;
}

std::string serialize(const LocalNotificationStore::Contents& contents) {
    KeyFile keyFile(g_key_file_new());
    g_key_file_set_integer(keyFile.get(), applicationGroup, "badgeNumber", contents.badgeNumber);
    int index = 0;
    for (const auto& entry : contents.entries) {
        std::string group = notificationGroupPrefix + std::to_string(++index);
        const auto& notification = entry.notification;
        g_key_file_set_double(keyFile.get(), group.c_str(), "fireDate",
                              notification.fireDate.timeIntervalSince1970());
        g_key_file_set_string(keyFile.get(), group.c_str(), "timeZone",
                              notification.timeZone.c_str());
        g_key_file_set_string(keyFile.get(), group.c_str(), "alertBody",
                              notification.alertBody.c_str());
        g_key_file_set_string(keyFile.get(), group.c_str(), "alertAction",
                              notification.alertAction.c_str());
        g_key_file_set_string(keyFile.get(), group.c_str(), "soundName",
                              notification.soundName.c_str());
        g_key_file_set_boolean(keyFile.get(), group.c_str(), "delivered", entry.delivered);
        for (const auto& [name, value] : notification.userInfo) {
            g_key_file_set_string(keyFile.get(), group.c_str(),
                                  (std::string(userInfoPrefix) + name).c_str(), value.c_str());
        }
    }
    gsize length = 0;
    Text data(g_key_file_to_data(keyFile.get(), &length, nullptr));
    return std::string(data.get(), length);
}

// Holds the store's lock file locked while it lives.
class ExclusiveLock {
public:
    explicit ExclusiveLock(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (!fd_.isValid()) {
            return;
        }
        int result;
        do {
            result = ::flock(fd_.get(), LOCK_EX);
        } while (result != 0 && errno == EINTR);
        locked_ = result == 0;
    }
    bool isLocked() const { return locked_; }

private:
    // Closing the descriptor releases the lock.
    FileDescriptor fd_;
    bool locked_ = false;
};

} // namespace

LocalNotificationStore::LocalNotificationStore(std::filesystem::path directory)
    : directory_(std::move(directory)) {}

LocalNotificationStore LocalNotificationStore::standard() {
    return LocalNotificationStore(Paths::documentsDirectory());
}

LocalNotificationStore::Contents LocalNotificationStore::read() const {
    auto path = file();
    std::error_code missing;
    if (!std::filesystem::exists(path, missing)) {
        return {};
    }
    KeyFile keyFile(g_key_file_new());
    GError* rawError = nullptr;
    if (!g_key_file_load_from_file(keyFile.get(), path.c_str(), G_KEY_FILE_NONE, &rawError)) {
        Error error(rawError);
        Log::write("LocalNotificationStore: cannot read " + path.string() + ": " + error->message);
        return {};
    }
    return parse(keyFile.get());
}

bool LocalNotificationStore::update(const std::function<bool(Contents&)>& change) {
    PrivateFiles::ensureDirectory(directory_);
    ExclusiveLock lock(directory_ / lockFileName);
    if (!lock.isLocked()) {
        Log::write("LocalNotificationStore: cannot lock " + (directory_ / lockFileName).string());
        return false;
    }
    Contents contents = read();
    if (!change(contents)) {
        return true;
    }
    if (auto error = PrivateFiles::writeAtomically(file(), serialize(contents))) {
        Log::write("LocalNotificationStore: cannot write " + file().string() + ": " +
                   error.message());
        return false;
    }
    return true;
}

} // namespace florelle
