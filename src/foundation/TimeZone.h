// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"

#include <optional>
#include <string>

namespace florelle {

// A time zone by its IANA identifier ("Europe/Zagreb", "UTC").
class TimeZone {
public:
    explicit TimeZone(std::string identifier);

    // The device's zone: the one set by setCurrent, else the system's. The
    // system's zone is looked up once and kept until resetSystemTimeZone.
    static TimeZone current();
    // For tests and hosts; std::nullopt goes back to the system's zone.
    static void setCurrent(std::optional<std::string> identifier);
    // Forgets the kept system zone, so that a change of the machine's zone
    // is seen by the next call of current().
    static void resetSystemTimeZone();

    const std::string& identifier() const { return identifier_; }
    // Offset east of UTC at the given instant, daylight saving included.
    int secondsFromGMT(Date date) const;
    // The same at the current instant of Clock::current().
    int secondsFromGMT() const;

private:
    std::string identifier_;
};

} // namespace florelle
