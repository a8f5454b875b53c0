// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "foundation/Calendar.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

using AtomFeedError = CalendarDocumentError;

// The Atom documents the calendar server and the sync exchange, read as
// readCalendarDocument reads them. Times are written in the
// calendar's zone with its offset.
class AtomFeed {
public:
    explicit AtomFeed(Calendar calendar) : calendar_(std::move(calendar)) {}

    // The calendars of a feed; relative addresses are resolved against `address`.
    std::vector<CalendarEntry> parseCalendarList(std::string_view xml,
                                                 const std::string& address) const;
    // One calendar entry, as the server answers an insert.
    CalendarEntry parseCalendarEntry(std::string_view xml, const std::string& address) const;
    std::vector<CalendarEvent> parseEventFeed(std::string_view xml,
                                              const std::string& address) const;

    std::string calendarEntry(const std::string& title) const;
    std::string eventEntry(const CalendarEvent& event) const;

    // "2026-03-05T00:00:10.000+01:00", "…Z", or a whole day "2026-03-05" (its
    // local midnight); std::nullopt for anything else. Fractions of a second
    // are dropped.
    std::optional<Date> parseTime(std::string_view text) const;
    std::string formatTime(Date date) const;

private:
    Calendar calendar_;
};

} // namespace florelle
