// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomCalendarClient.h"

#include "platform/HttpFetch.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>

namespace florelle {

namespace {

constexpr std::size_t maximumAnswerBytes = 4 * 1024 * 1024;
// Each wait has its own, shorter limit; this only ends a transfer nobody waits for.
constexpr double transferTimeout = 360;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The host of an http(s) address, without port or user part.
std::string hostOf(const std::string& url) {
    auto begin = url.find("://");
    if (begin == std::string::npos) {
        return {};
    }
    begin += 3;
    auto end = url.find_first_of("/?#", begin);
    std::string authority = url.substr(begin, end == std::string::npos ? end : end - begin);
    if (auto at = authority.rfind('@'); at != std::string::npos) {
        authority.erase(0, at + 1);
    }
    if (!authority.empty() && authority.front() == '[') {
        return lowered(authority.substr(0, authority.find(']') + 1));
    }
    return lowered(authority.substr(0, authority.find(':')));
}

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

bool AtomCalendarClient::isSafeAddress(const std::string& url) {
    std::string scheme = lowered(url.substr(0, url.find("://")));
    if (scheme == "https") {
        return !hostOf(url).empty();
    }
    std::string host = hostOf(url);
    in_addr address{};
    bool loopback =
        host == "localhost" || host == "[::1]" ||
        (inet_pton(AF_INET, host.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127);
    return scheme == "http" && loopback;
}

Ticket AtomCalendarClient::send(const std::string& method, const std::string& url,
                                const std::string& body, Reader reader) {
    auto ticket = std::make_shared<CalendarTicket>();
    if (!isSafeAddress(url)) {
        ticket->fail("The calendar server's address " + url +
                     " is not an https address; the password is not sent to it.");
        return ticket;
    }
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
    request.user = account_.user;
    request.password = account_.password;
    request.protocols = lowered(url.substr(0, 5)) == "https" ? "https" : "http,https";
    std::weak_ptr<CalendarTicket> weakTicket = ticket;
    auto fetch = std::make_shared<HttpFetch>(
        request, transferTimeout, maximumAnswerBytes,
        [weakTicket, url, reader = std::move(reader)](HttpFetch::Result result) {
            auto ticket = weakTicket.lock();
            if (!ticket) {
                return;
            }
            if (!result.answered) {
                ticket->fail("The calendar server could not be reached: " + result.error);
            } else if (result.truncated) {
                ticket->fail("The calendar server's answer is larger than " +
                             std::to_string(maximumAnswerBytes / (1024 * 1024)) + " MB.");
            } else if (result.status == 401 || result.status == 403) {
                ticket->fail("The calendar server did not accept the user name and password.");
            } else if (result.status >= 300 && result.status < 400) {
                ticket->fail("The calendar server redirected the request too often.");
            } else if (result.status < 200 || result.status >= 300) {
                ticket->fail("The calendar server answered with error " +
                             std::to_string(result.status) + ".");
            } else {
                try {
                    ticket->finish(reader(result.body, url));
                } catch (const AtomFeedError& error) {
                    ticket->fail(error.what());
                }
            }
        });
    ticket->keepWhileRunning(fetch);
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
