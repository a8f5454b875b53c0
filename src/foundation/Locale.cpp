#include "Locale.h"

#include <memory>
#include <mutex>
#include <unicode/calendar.h>
#include <unicode/locid.h>

namespace florelle {

namespace {

std::mutex localeMutex;
std::optional<std::string> localeOverride;

// ICU reads the POSIX environment once, at its first use, and gives the
// locale's canonical name ("en_US" for "en_US.UTF-8").
std::string environmentLocaleIdentifier() {
    const char* name = icu::Locale::getDefault().getName();
    return name && *name ? name : "en_US_POSIX";
}

} // namespace

Locale::Locale(std::string identifier) : identifier_(std::move(identifier)) {}

Locale Locale::current() {
    std::lock_guard lock(localeMutex);
    return Locale(localeOverride ? *localeOverride : environmentLocaleIdentifier());
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
