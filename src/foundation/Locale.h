#pragma once

#include <optional>
#include <string>

namespace florelle {

// A locale by its identifier ("en_US", "hr_HR", "de").
class Locale {
public:
    explicit Locale(std::string identifier);

    // The device's locale: the one set by setCurrent, else the one the
    // environment names (LC_ALL, LC_TIME, LANG), else "en_US_POSIX".
    static Locale current();
    // For tests and hosts; std::nullopt goes back to the environment's locale.
    static void setCurrent(std::optional<std::string> identifier);

    const std::string& identifier() const { return identifier_; }
    // The first day of the week in this locale: 1 = Sunday … 7 = Saturday.
    int firstWeekday() const;

private:
    std::string identifier_;
};

} // namespace florelle
