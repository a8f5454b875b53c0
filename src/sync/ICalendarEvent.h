// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "foundation/Calendar.h"

#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// One event as an iCalendar object, read and written with libical: SUMMARY
// is its title, DTSTART and DTEND its first time, LAST-MODIFIED when it was
// last changed and UID its identity. Times are written in the calendar's
// zone with its TZID and a VTIMEZONE cut to the years from the event on
// (in UTC where libical knows no such zone); floating times and whole days
// are read in the calendar's zone.
class ICalendarEvent {
public:
    explicit ICalendarEvent(Calendar calendar) : calendar_(std::move(calendar)) {}

    // `event.uid` must be set; `stamp` is the time of writing.
    std::string write(const CalendarEvent& event, Date stamp) const;
    // The first event of the object; std::nullopt when it holds none.
    std::optional<CalendarEvent> read(std::string_view text) const;

private:
    Calendar calendar_;
};

} // namespace florelle
