// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomCalendarClient.h"

#include "platform/HttpFetch.h"

namespace florelle {

namespace {

constexpr std::size_t maximumAnswerBytes = 4 * 1024 * 1024;

CalendarReply nothing(const std::string&, const std::string&) {
    return {};
}

} // namespace

AtomCalendarClient::AtomCalendarClient(CalendarAccount account, Calendar calendar)
    : account_(std::move(account)), feed_(std::move(calendar)) {
    while (!account_.serverUrl.empty() && account_.serverUrl.back() == '/') {
        account_.serverUrl.pop_back();
    }
}

Ticket AtomCalendarClient::send(const std::string& method, const std::string& url,
                                const std::string& body, ReplyReader reader) {
    auto ticket = std::make_shared<CalendarTicket>();
    HttpRequest request;
    request.url = url;
    request.method = method;
    request.body = body;
    if (!body.empty()) {
        request.contentType = "application/atom+xml; charset=UTF-8";
    }
    if (method == "PUT" || method == "DELETE") {
        // The sync changes what it just read; no other copy is kept to compare.
        request.headers.push_back("If-Match: *");
    }
    sendForReply(ticket, std::move(request), account_, maximumAnswerBytes, std::move(reader));
    return ticket;
}

Ticket AtomCalendarClient::fetchCalendarList() {
    return send("GET", account_.serverUrl + "/calendar/feeds/default/allcalendars/full", {},
                [feed = feed_](const std::string& body, const std::string& url) {
                    return CalendarReply{feed.parseCalendarList(body, url), {}};
                });
}

Ticket AtomCalendarClient::insertCalendar(const std::string& title) {
    return send("POST", account_.serverUrl + "/calendar/feeds/default/owncalendars/full",
                feed_.calendarEntry(title),
                [feed = feed_](const std::string& body, const std::string& url) {
                    return CalendarReply{{feed.parseCalendarEntry(body, url)}, {}};
                });
}

Ticket AtomCalendarClient::fetchEvents(const CalendarEntry& calendar, int maximumResults) {
    const std::string& feedUrl = calendar.eventFeedUrl;
    std::string url = feedUrl + (feedUrl.find('?') == std::string::npos ? '?' : '&') +
                      "max-results=" + std::to_string(maximumResults);
    return send("GET", url, {},
                [feed = feed_](const std::string& body, const std::string& address) {
                    return CalendarReply{{}, feed.parseEventFeed(body, address)};
                });
}

Ticket AtomCalendarClient::insertEvent(const CalendarEntry& calendar, const CalendarEvent& event) {
    return send("POST", calendar.eventFeedUrl, feed_.eventEntry(event), nothing);
}

Ticket AtomCalendarClient::updateEvent(const CalendarEvent& event) {
    return send("PUT", event.editUrl, feed_.eventEntry(event), nothing);
}

Ticket AtomCalendarClient::deleteEvent(const CalendarEvent& event) {
    return send("DELETE", event.editUrl, {}, nothing);
}

} // namespace florelle
