// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// A locale by its identifier ("en_US", "hr_HR", "de").
class Locale {
public:
    explicit Locale(std::string identifier);

    // The device's locale for dates and the calendar: the one set by
    // setCurrent, else the one the environment names for time (LC_ALL, else
    // LC_TIME, else LANG, as POSIX orders them), else "en_US_POSIX". Texts
    // follow LC_MESSAGES instead (see Strings), so the two may differ.
    static Locale current();
    // The locale a POSIX setting such as "de_DE.UTF-8@euro" names ("de_DE");
    // "C", "POSIX" and an empty setting give "en_US_POSIX".
    static Locale fromPosix(std::string_view setting);
    // For tests and hosts; std::nullopt goes back to the environment's locale.
    static void setCurrent(std::optional<std::string> identifier);

    const std::string& identifier() const { return identifier_; }
    // The first day of the week in this locale: 1 = Sunday … 7 = Saturday.
    int firstWeekday() const;

private:
    std::string identifier_;
};

} // namespace florelle
