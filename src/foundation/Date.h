// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>

namespace florelle {

// A point in time: seconds since 1970-01-01 00:00 UTC, with fraction.
class Date {
public:
    constexpr Date() = default;
    constexpr explicit Date(double secondsSince1970) : seconds_(secondsSince1970) {}

    constexpr double timeIntervalSince1970() const { return seconds_; }
    constexpr Date addingSeconds(double seconds) const { return Date(seconds_ + seconds); }
    constexpr double secondsSince(Date other) const { return seconds_ - other.seconds_; }

    constexpr auto operator<=>(const Date&) const = default;

private:
    double seconds_ = 0;
};

} // namespace florelle
