// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// One resource of a WebDAV multi-status answer, with the properties the
// calendar sync asks for; each is empty where the server did not give it.
// Addresses are absolute.
struct DavResource {
    std::string href;
    std::string principal;
    std::string calendarHome;
    std::string displayName;
    bool isCalendar = false;
    std::string etag;
    std::string calendarData;
};

// The resources of a multi-status answer (read as readCalendarDocument reads
// documents), with the properties found with status 200. Throws
// CalendarDocumentError for anything else.
std::vector<DavResource> readMultistatus(std::string_view document, const std::string& address);

// The body of a MKCALENDAR request for a calendar of events with this title.
std::string newCalendarBody(const std::string& title);

} // namespace florelle
