// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserDefaults.h"

#include "Log.h"
#include "Paths.h"
#include "PrivateFiles.h"

#include <charconv>
#include <cstdlib>
#include <glib.h>

namespace florelle {

namespace {

constexpr const char* group = "Defaults";

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPointer = std::unique_ptr<GError, GErrorFree>;

struct GFree {
    void operator()(void* memory) const { g_free(memory); }
};
using TextPointer = std::unique_ptr<char, GFree>;

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    const char* end = text.c_str() + text.size();
    char* stop = nullptr;
    double value = g_ascii_strtod(text.c_str(), &stop);
    if (stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

struct UserDefaults::KeyFile {
    KeyFile() : handle(g_key_file_new()) {}
    KeyFile(const KeyFile&) = delete;
    KeyFile& operator=(const KeyFile&) = delete;
    ~KeyFile() { g_key_file_free(handle); }
    GKeyFile* handle;
};

UserDefaults::UserDefaults(std::filesystem::path file)
    : file_(std::move(file)), keyFile_(std::make_unique<KeyFile>()) {
    std::error_code missing;
    if (!std::filesystem::exists(file_, missing)) {
        return;
    }
    GError* rawError = nullptr;
    if (!g_key_file_load_from_file(keyFile_->handle, file_.c_str(), G_KEY_FILE_NONE, &rawError)) {
        ErrorPointer error(rawError);
        Log::write("UserDefaults: cannot read " + file_.string() + ": " + error->message);
        keyFile_ = std::make_unique<KeyFile>();
    }
}

UserDefaults::~UserDefaults() = default;

std::shared_ptr<UserDefaults> UserDefaults::standardUserDefaults() {
    static std::mutex sharedMutex;
    static std::shared_ptr<UserDefaults> shared;
    std::lock_guard lock(sharedMutex);
    auto file = Paths::configDirectory() / fileName;
    if (!shared || shared->file() != file) {
        shared = std::make_shared<UserDefaults>(file);
    }
    return shared;
}

std::optional<std::string> UserDefaults::rawValue(const std::string& key) const {
    std::lock_guard lock(mutex_);
    if (!g_key_file_has_key(keyFile_->handle, group, key.c_str(), nullptr)) {
        return std::nullopt;
    }
    TextPointer text(g_key_file_get_string(keyFile_->handle, group, key.c_str(), nullptr));
    return text ? std::optional<std::string>(text.get()) : std::nullopt;
}

bool UserDefaults::hasKey(const std::string& key) const {
    return rawValue(key).has_value();
}

bool UserDefaults::boolForKey(const std::string& key) const {
    auto text = rawValue(key);
    if (!text) {
        return false;
    }
    if (*text == "true") {
        return true;
    }
    auto number = parseNumber(*text);
    return number && *number != 0;
}

long long UserDefaults::integerForKey(const std::string& key) const {
    auto text = rawValue(key);
    if (!text) {
        return 0;
    }
    if (*text == "true") {
        return 1;
    }
    long long value = 0;
    auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error == std::errc() && end == text->data() + text->size()) {
        return value;
    }
    auto number = parseNumber(*text);
    return number ? static_cast<long long>(*number) : 0;
}

double UserDefaults::doubleForKey(const std::string& key) const {
    auto text = rawValue(key);
    if (!text) {
        return 0;
    }
    if (*text == "true") {
        return 1;
    }
    return parseNumber(*text).value_or(0);
}

std::string UserDefaults::stringForKey(const std::string& key) const {
    return rawValue(key).value_or(std::string());
}

bool UserDefaults::acceptsKey(const std::string& key) const {
    bool plain = !key.empty() && key.find_first_of("=[]\n\r") == std::string::npos &&
                 key.front() != ' ' && key.back() != ' ' && key.front() != '#';
    if (!plain) {
        Log::write("UserDefaults: refused the key '" + key + "'");
    }
    return plain;
}

void UserDefaults::setBool(const std::string& key, bool value) {
    if (acceptsKey(key)) {
        std::lock_guard lock(mutex_);
        g_key_file_set_boolean(keyFile_->handle, group, key.c_str(), value);
    }
}

void UserDefaults::setInteger(const std::string& key, long long value) {
    if (acceptsKey(key)) {
        std::lock_guard lock(mutex_);
        g_key_file_set_int64(keyFile_->handle, group, key.c_str(), value);
    }
}

void UserDefaults::setDouble(const std::string& key, double value) {
    if (acceptsKey(key)) {
        std::lock_guard lock(mutex_);
        char buffer[G_ASCII_DTOSTR_BUF_SIZE];
        g_key_file_set_value(keyFile_->handle, group, key.c_str(),
                             g_ascii_dtostr(buffer, sizeof buffer, value));
    }
}

void UserDefaults::setString(const std::string& key, const std::string& value) {
    if (acceptsKey(key)) {
        std::lock_guard lock(mutex_);
        g_key_file_set_string(keyFile_->handle, group, key.c_str(), value.c_str());
    }
}

void UserDefaults::removeKey(const std::string& key) {
    std::lock_guard lock(mutex_);
    g_key_file_remove_key(keyFile_->handle, group, key.c_str(), nullptr);
}

bool UserDefaults::synchronize() {
    gsize length = 0;
    TextPointer data;
    {
        std::lock_guard lock(mutex_);
        data.reset(g_key_file_to_data(keyFile_->handle, &length, nullptr));
    }
    PrivateFiles::ensureDirectory(file_.parent_path());
    if (auto error = PrivateFiles::writeAtomically(file_, std::string_view(data.get(), length))) {
        Log::write("UserDefaults: cannot write " + file_.string() + ": " + error.message());
        return false;
    }
    return true;
}

} // namespace florelle
