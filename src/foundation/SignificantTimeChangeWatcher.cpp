// SPDX-License-Identifier: GPL-3.0-or-later
#include "SignificantTimeChangeWatcher.h"

#include "Clock.h"
#include "TimeZone.h"

#include <cmath>

namespace florelle {

SignificantTimeChangeWatcher::SignificantTimeChangeWatcher(NotificationCenter& center)
    : center_(center), last_(read()), timer_(checkInterval, true, [this] { check(); }) {}

SignificantTimeChangeWatcher::Reading SignificantTimeChangeWatcher::read() {
    Date now = Clock::current()->now();
    // The machine's zone is looked up anew, or a change of it would pass
    // unseen.
    TimeZone::resetSystemTimeZone();
    TimeZone zone = TimeZone::current();
    int offset = zone.secondsFromGMT(now);
    auto localDay =
        static_cast<long long>(std::floor((now.timeIntervalSince1970() + offset) / 86400.0));
    return {now, zone.identifier(), offset, localDay};
}

void SignificantTimeChangeWatcher::check() {
    Reading reading = read();
    double elapsed = reading.now.secondsSince(last_.now);
    bool jumped = elapsed < -jumpSlack || elapsed > checkInterval + jumpSlack;
    bool changed = reading.localDay != last_.localDay || reading.zone != last_.zone ||
                   reading.offset != last_.offset;
    last_ = reading;
    if (jumped || changed) {
        center_.post(NotificationCenter::significantTimeChangeNotification);
    }
}

} // namespace florelle
