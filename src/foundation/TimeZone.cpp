// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeZone.h"

#include "Clock.h"

#include <memory>
#include <mutex>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace florelle {

namespace {

std::mutex zoneMutex;
std::optional<std::string> zoneOverride;
std::optional<std::string> systemZone;

std::string systemZoneIdentifier() {
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString id;
    zone->getID(id);
    std::string text;
    id.toUTF8String(text);
    return text;
}

} // namespace

TimeZone::TimeZone(std::string identifier) : identifier_(std::move(identifier)) {}

TimeZone TimeZone::current() {
    std::lock_guard lock(zoneMutex);
    if (zoneOverride) {
        return TimeZone(*zoneOverride);
    }
    if (!systemZone) {
        systemZone = systemZoneIdentifier();
    }
    return TimeZone(*systemZone);
}

void TimeZone::resetSystemTimeZone() {
    std::lock_guard lock(zoneMutex);
    systemZone.reset();
}

void TimeZone::setCurrent(std::optional<std::string> identifier) {
    std::lock_guard lock(zoneMutex);
    zoneOverride = std::move(identifier);
}

int TimeZone::secondsFromGMT(Date date) const {
    std::unique_ptr<icu::TimeZone> zone(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(identifier_)));
    int32_t raw = 0;
    int32_t dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    zone->getOffset(date.timeIntervalSince1970() * 1000.0, false, raw, dst, status);
    return U_SUCCESS(status) ? (raw + dst) / 1000 : 0;
}

int TimeZone::secondsFromGMT() const {
    return secondsFromGMT(Clock::current()->now());
}

} // namespace florelle
