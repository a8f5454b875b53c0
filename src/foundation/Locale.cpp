// SPDX-License-Identifier: GPL-3.0-or-later
#include "Locale.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <unicode/calendar.h>
#include <unicode/locid.h>

namespace florelle {

namespace {

std::mutex localeMutex;
std::optional<std::string> localeOverride;

constexpr const char* posixLocale = "en_US_POSIX";

// ICU's own default follows LC_MESSAGES, the language of the texts; dates
// take their category's setting instead.
std::string timeSetting() {
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            return value;
        }
    }
    return {};
}

// The environment is read at every call, so that a test can change it;
// making an ICU locale costs more, so the last answer is kept.
std::string environmentLocaleIdentifier() {
    static std::string lastSetting;
    static std::string lastIdentifier = posixLocale;
    std::string setting = timeSetting();
    if (setting != lastSetting) {
        lastIdentifier = Locale::fromPosix(setting).identifier();
        lastSetting = std::move(setting);
    }
    return lastIdentifier;
}

} // namespace

Locale::Locale(std::string identifier) : identifier_(std::move(identifier)) {}

Locale Locale::current() {
    std::lock_guard lock(localeMutex);
    return Locale(localeOverride ? *localeOverride : environmentLocaleIdentifier());
}

Locale Locale::fromPosix(std::string_view setting) {
    // The codeset and a modifier ("@euro") do not change how dates are written.
    std::string name(setting.substr(0, setting.find_first_of(".@")));
    if (name.empty() || name == "C" || name == "POSIX") {
        return Locale(posixLocale);
    }
    icu::Locale locale(name.c_str());
    if (locale.isBogus() || !*locale.getLanguage()) {
        return Locale(posixLocale);
    }
    return Locale(locale.getName());
}

void Locale::setCurrent(std::optional<std::string> identifier) {
    std::lock_guard lock(localeMutex);
    localeOverride = std::move(identifier);
}

int Locale::firstWeekday() const {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::Locale(identifier_.c_str()), status));
    if (U_FAILURE(status)) {
        return 1;
    }
    return static_cast<int>(calendar->getFirstDayOfWeek(status));
}

} // namespace florelle
