// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Date.h"
#include "NotificationCenter.h"
#include "Timer.h"

#include <string>

namespace florelle {

// Posts NotificationCenter::significantTimeChangeNotification when local
// midnight has passed, the clock jumped (forwards or backwards by more than
// the slack), or the time zone or its offset from UTC changed. It looks on
// the current run loop every checkInterval seconds while it lives; a host
// calls check() as well when the application comes back to the foreground.
class SignificantTimeChangeWatcher {
public:
    static constexpr double checkInterval = 10;
    // How far one check may lie from the expected next one before the clock
    // counts as having jumped; a busy or suspended loop stays below it.
    static constexpr double jumpSlack = 60;

    explicit SignificantTimeChangeWatcher(
        NotificationCenter& center = NotificationCenter::defaultCenter());

    // Compares with the last look and posts when something changed.
    void check();

private:
    struct Reading {
        Date now;
        std::string zone;
        int offset;
        long long localDay;
    };
    static Reading read();

    NotificationCenter& center_;
    Reading last_;
    Timer timer_;
};

} // namespace florelle
