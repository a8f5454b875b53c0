// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalDavCalendarClient.h"

#include "DavMultistatus.h"
#include "foundation/Clock.h"
#include "foundation/Uuid.h"

namespace florelle {

namespace {

// A calendar-query answer carries every event whole.
constexpr std::size_t maximumAnswerBytes = 8 * 1024 * 1024;
constexpr long multiStatus = 207;

const char* principalQuery = R"(<?xml version="1.0" encoding="utf-8"?>
<D:propfind xmlns:D="DAV:"><D:prop><D:current-user-principal/></D:prop></D:propfind>)";

const char* homeQuery = R"(<?xml version="1.0" encoding="utf-8"?>
<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
<D:prop><C:calendar-home-set/></D:prop></D:propfind>)";

const char* calendarsQuery = R"(<?xml version="1.0" encoding="utf-8"?>
<D:propfind xmlns:D="DAV:"><D:prop><D:resourcetype/><D:displayname/></D:prop></D:propfind>)";

const char* eventsQuery = R"(<?xml version="1.0" encoding="utf-8"?>
<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">
<D:prop><D:getetag/><C:calendar-data/></D:prop>
<C:filter><C:comp-filter name="VCALENDAR"><C:comp-filter name="VEVENT"/></C:comp-filter></C:filter>
</C:calendar-query>)";

HttpRequest davRequest(const std::string& method, const std::string& url, const char* depth,
                       std::string body) {
    HttpRequest request;
    request.method = method;
    request.url = url;
    request.body = std::move(body);
    request.contentType = "application/xml; charset=utf-8";
    if (depth) {
        request.headers.push_back(std::string("Depth: ") + depth);
    }
    return request;
}

std::string asCollection(std::string url) {
    if (url.empty() || url.back() != '/') {
        url += '/';
    }
    return url;
}

std::string condition(const std::string& etag) {
    return "If-Match: " + (etag.empty() ? std::string("*") : etag);
}

} // namespace

struct CalDavCalendarClient::Shared {
    CalendarAccount account;
    ICalendarEvent codec;
    std::shared_ptr<CalDavDiscovery> discovery;
    // Where a principal may be named: the address as given, then the
    // server's well-known address.
    std::vector<std::string> candidates;
};

CalDavCalendarClient::CalDavCalendarClient(CalendarAccount account, Calendar calendar,
                                           std::shared_ptr<CalDavDiscovery> discovery) {
    std::vector<std::string> candidates = {account.serverUrl};
    std::string wellKnown = originOf(account.serverUrl) + "/.well-known/caldav";
    if (wellKnown != account.serverUrl) {
        candidates.push_back(wellKnown);
    }
    shared_ = std::make_shared<const Shared>(Shared{std::move(account),
                                                    ICalendarEvent(std::move(calendar)),
                                                    std::move(discovery), std::move(candidates)});
}

void CalDavCalendarClient::findPrincipal(const std::shared_ptr<const Shared>& shared,
                                         const Ticket& ticket, std::size_t candidate, Step next) {
    if (candidate == shared->candidates.size()) {
        shared->discovery->speaksCalDav = false;
        ticket->fail("The server at " + shared->account.serverUrl +
                     " does not answer as a CalDAV server.");
        return;
    }
    const std::string& url = shared->candidates[candidate];
    sendCalendarRequest(
        ticket, davRequest("PROPFIND", url, "0", principalQuery), shared->account,
        maximumAnswerBytes,
        [shared, candidate, url, next = std::move(next)](const Ticket& ticket,
                                                         const HttpFetch::Result& result) {
            std::string principal;
            if (result.status == multiStatus) {
                try {
                    for (const DavResource& resource : readMultistatus(result.body, url)) {
                        principal = principal.empty() ? resource.principal : principal;
                    }
                } catch (const CalendarDocumentError& error) {
                    ticket->fail(error.what());
                    return;
                }
            }
            if (principal.empty()) {
                findPrincipal(shared, ticket, candidate + 1, next);
            } else {
                findHome(shared, ticket, principal, next);
            }
        });
}

void CalDavCalendarClient::findHome(const std::shared_ptr<const Shared>& shared,
                                    const Ticket& ticket, const std::string& principal, Step next) {
    sendCalendarRequest(
        ticket, davRequest("PROPFIND", principal, "0", homeQuery), shared->account,
        maximumAnswerBytes,
        [shared, principal, next = std::move(next)](const Ticket& ticket,
                                                    const HttpFetch::Result& result) {
            if (result.status != multiStatus) {
                ticket->fail(statusFailure(result.status));
                return;
            }
            std::string home;
            try {
                for (const DavResource& resource : readMultistatus(result.body, principal)) {
                    home = home.empty() ? resource.calendarHome : home;
                }
            } catch (const CalendarDocumentError& error) {
                ticket->fail(error.what());
                return;
            }
            if (home.empty()) {
                ticket->fail("The CalDAV server names no calendar home for this account.");
                return;
            }
            shared->discovery->speaksCalDav = true;
            shared->discovery->calendarHome = asCollection(home);
            next(ticket);
        });
}

void CalDavCalendarClient::withHome(const std::shared_ptr<const Shared>& shared,
                                    const Ticket& ticket, Step next) {
    if (shared->discovery->speaksCalDav == true) {
        next(ticket);
    } else {
        findPrincipal(shared, ticket, 0, std::move(next));
    }
}

Ticket CalDavCalendarClient::discover() {
    auto ticket = std::make_shared<CalendarTicket>();
    withHome(shared_, ticket, [](const Ticket& ticket) { ticket->finish({}); });
    return ticket;
}

Ticket CalDavCalendarClient::fetchCalendarList() {
    auto ticket = std::make_shared<CalendarTicket>();
    withHome(shared_, ticket, [shared = shared_](const Ticket& ticket) {
        sendForReply(ticket,
                     davRequest("PROPFIND", shared->discovery->calendarHome, "1", calendarsQuery),
                     shared->account, maximumAnswerBytes,
                     [](const std::string& body, const std::string& url) {
                         CalendarReply reply;
                         for (const DavResource& resource : readMultistatus(body, url)) {
                             if (resource.isCalendar) {
                                 reply.calendars.push_back({resource.displayName, resource.href});
                             }
                         }
                         return reply;
                     });
    });
    return ticket;
}

Ticket CalDavCalendarClient::insertCalendar(const std::string& title) {
    auto ticket = std::make_shared<CalendarTicket>();
    withHome(shared_, ticket, [shared = shared_, title](const Ticket& ticket) {
        std::string url = shared->discovery->calendarHome + makeUuidString() + "/";
        sendForReply(ticket, davRequest("MKCALENDAR", url, nullptr, newCalendarBody(title)),
                     shared->account, maximumAnswerBytes,
                     [title](const std::string&, const std::string& url) {
                         return CalendarReply{{{title, url}}, {}};
                     });
    });
    return ticket;
}

Ticket CalDavCalendarClient::fetchEvents(const CalendarEntry& calendar, int maximumResults) {
    auto ticket = std::make_shared<CalendarTicket>();
    sendForReply(
        ticket, davRequest("REPORT", calendar.eventFeedUrl, "1", eventsQuery), shared_->account,
        maximumAnswerBytes,
        [shared = shared_, maximumResults](const std::string& body, const std::string& url) {
            CalendarReply reply;
            for (const DavResource& resource : readMultistatus(body, url)) {
                if (reply.events.size() == static_cast<std::size_t>(maximumResults)) {
                    break;
                }
                if (auto event = shared->codec.read(resource.calendarData)) {
                    event->editUrl = resource.href;
                    event->etag = resource.etag;
                    reply.events.push_back(std::move(*event));
                }
            }
            return reply;
        });
    return ticket;
}

Ticket CalDavCalendarClient::writeEvent(const std::string& url, CalendarEvent event,
                                        const std::string& precondition) {
    if (event.uid.empty()) {
        event.uid = makeUuidString();
    }
    HttpRequest request;
    request.method = "PUT";
    request.url = url;
    request.body = shared_->codec.write(event, Clock::current()->now());
    request.contentType = "text/calendar; charset=utf-8";
    request.headers.push_back(precondition);
    auto ticket = std::make_shared<CalendarTicket>();
    sendForReply(ticket, std::move(request), shared_->account, maximumAnswerBytes,
                 [](const std::string&, const std::string&) { return CalendarReply{}; });
    return ticket;
}

Ticket CalDavCalendarClient::insertEvent(const CalendarEntry& calendar,
                                         const CalendarEvent& event) {
    CalendarEvent named = event;
    named.uid = makeUuidString();
    return writeEvent(asCollection(calendar.eventFeedUrl) + named.uid + ".ics", named,
                      "If-None-Match: *");
}

Ticket CalDavCalendarClient::updateEvent(const CalendarEvent& event) {
    return writeEvent(event.editUrl, event, condition(event.etag));
}

Ticket CalDavCalendarClient::deleteEvent(const CalendarEvent& event) {
    HttpRequest request;
    request.method = "DELETE";
    request.url = event.editUrl;
    request.headers.push_back(condition(event.etag));
    auto ticket = std::make_shared<CalendarTicket>();
    sendForReply(ticket, std::move(request), shared_->account, maximumAnswerBytes,
                 [](const std::string&, const std::string&) { return CalendarReply{}; });
    return ticket;
}

} // namespace florelle
