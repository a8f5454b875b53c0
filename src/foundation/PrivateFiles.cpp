// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateFiles.h"

#include "Clock.h"
#include "FileDescriptor.h"
#include "Format.h"
#include "Log.h"
#include "Paths.h"
#include "UserDefaults.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace florelle {

namespace {

constexpr mode_t privateFolder = 0700;
constexpr mode_t privateFile = 0600;
constexpr mode_t othersRights = 077;
// Longer than any write takes: a temporary file this old has no writer left.
constexpr double staleAge = 60;
// mkstemp's random part.
constexpr size_t randomPartLength = 6;

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::string octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode));
    return text;
}

bool processIsGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Ages are measured against the file system's own clock, the real one.
double ageOf(const struct stat& status) {
    return RealClock().now().timeIntervalSince1970() - static_cast<double>(status.st_mtime);
}

// `suffix` is what follows "<file>." in a name beside the file: "4711.Ab3xYz"
// as writeAtomically names its temporary files (the writer's process, then
// mkstemp's part), or "Ab3xYz" alone as earlier versions named them.
bool isStaleTemporary(std::string_view suffix, const struct stat& status) {
    if (suffix.size() < randomPartLength ||
        !std::all_of(suffix.end() - randomPartLength, suffix.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); })) {
        return false;
    }
    std::string_view writer = suffix.substr(0, suffix.size() - randomPartLength);
    if (!writer.empty()) {
        pid_t pid = 0;
        auto [end, error] = std::from_chars(writer.data(), writer.data() + writer.size(), pid);
        if (error != std::errc() || pid <= 0 || end != writer.data() + writer.size() - 1 ||
            *end != '.') {
            return false;
        }
        if (processIsGone(pid)) {
            return true;
        }
    }
    return ageOf(status) > staleAge;
}

// A file beside its target, named after the target and the writing process,
// that is removed unless it has taken the target's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& target)
        : path_(format("%@.%d.XXXXXX", target.string(), getpid())) {
        fd_.reset(::mkostemp(path_.data(), O_CLOEXEC));
        if (!fd_.isValid()) {
            error_ = lastError();
            path_.clear();
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }

    const std::string& path() const { return path_; }
    std::error_code error() const { return error_; }

    std::error_code write(std::string_view contents) {
        for (size_t written = 0; written < contents.size();) {
            ssize_t count =
                ::write(fd_.get(), contents.data() + written, contents.size() - written);
            if (count < 0 && errno != EINTR) {
                return lastError();
            }
            written += static_cast<size_t>(std::max<ssize_t>(count, 0));
        }
        return {};
    }

    // Whoever wrote through the name wrote into the same file: the mode,
    // the flush and the rename reach it through our descriptor.
    std::error_code replace(const std::filesystem::path& target) {
        if (::fchmod(fd_.get(), privateFile) != 0) {
            return lastError();
        }
        if (::fsync(fd_.get()) != 0 || ::rename(path_.c_str(), target.c_str()) != 0) {
            return lastError();
        }
        path_.clear();
        return {};
    }

private:
    std::string path_;
    FileDescriptor fd_;
    std::error_code error_;
};

// Writes `file`'s new contents with `write` into a temporary file beside
// it, which then takes its place.
template <typename Write>
std::error_code replaceFile(const std::filesystem::path& file, const Write& write) {
    PrivateFiles::removeStaleTemporaries(file);
    TemporaryFile temporary(file);
    if (auto error = temporary.error() ? temporary.error() : write(temporary)) {
        return error;
    }
    return temporary.replace(file);
}

} // namespace

std::error_code PrivateFiles::ensureDirectory(const std::filesystem::path& directory) {
    std::filesystem::path chain;
    for (const auto& part : directory) {
        chain /= part;
        if (::mkdir(chain.c_str(), privateFolder) == 0) {
            // The umask may have taken the owner's own rights.
            if (auto error = makePrivate(chain)) {
                return error;
            }
            continue;
        }
        std::error_code failure =
            errno == EEXIST ? std::make_error_code(std::errc::not_a_directory) : lastError();
        std::error_code ignored;
        if (!std::filesystem::is_directory(chain, ignored)) {
            return failure;
        }
    }
    tighten(directory);
    return {};
}

std::error_code PrivateFiles::makePrivate(const std::filesystem::path& path) {
    std::error_code error;
    bool folder = std::filesystem::is_directory(path, error);
    if (error || ::chmod(path.c_str(), folder ? privateFolder : privateFile) == 0) {
        return error;
    }
    return lastError();
}

void PrivateFiles::tighten(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || (status.st_mode & othersRights) == 0) {
        return;
    }
    mode_t tightened = status.st_mode & 07777 & ~othersRights;
    if (::chmod(path.c_str(), tightened) != 0) {
        Log::write(
            format("Cannot tighten permissions of '%@': %@", path.string(), lastError().message()));
        return;
    }
    Log::write(format("Tightened permissions of '%@' to %@", path.string(), octal(tightened)));
}

std::error_code PrivateFiles::writeAtomically(const std::filesystem::path& file,
                                              std::string_view contents) {
    return replaceFile(file,
                       [contents](TemporaryFile& temporary) { return temporary.write(contents); });
}

std::error_code PrivateFiles::writeAtomically(const std::filesystem::path& file,
                                              const FileWriter& write) {
    return replaceFile(file,
                       [&write](TemporaryFile& temporary) { return write(temporary.path()); });
}

void PrivateFiles::removeStaleTemporaries(const std::filesystem::path& file) {
    std::string prefix = file.filename().string() + ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
        std::string name = entry.path().filename().string();
        struct stat status {};
        if (!name.starts_with(prefix) || ::lstat(entry.path().c_str(), &status) != 0 ||
            !S_ISREG(status.st_mode) ||
            !isStaleTemporary(std::string_view(name).substr(prefix.size()), status)) {
            continue;
        }
        if (::unlink(entry.path().c_str()) == 0) {
            Log::write(format("Removed the stale temporary file '%@'", entry.path().string()));
        }
    }
}

void PrivateFiles::tightenDiaryFiles() {
    auto documents = Paths::documentsDirectory();
    auto config = Paths::configDirectory();
    // The names the storage layer and the reminders' store give their files.
    auto database = documents / "period" / "period.db";
    auto reminders = documents / "reminders.ini";
    auto defaults = config / UserDefaults::fileName;
    for (const auto& file : {reminders, defaults}) {
        removeStaleTemporaries(file);
    }
    for (const auto& path :
         {documents, database.parent_path(), database,
          std::filesystem::path(database.string() + "-journal"), reminders, config, defaults}) {
        tighten(path);
    }
}

} // namespace florelle
