// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "platform/HttpFetch.h"

#include <functional>
#include <string>

namespace florelle {

// Where the calendar server is and whom to log in as.
struct CalendarAccount {
    // The server's address, such as "https://calendar.example.org".
    std::string serverUrl;
    std::string user;
    std::string password;
};

// Whether the password may be sent to this address: https, or plain http to
// this machine's own loopback address.
bool isSafeCalendarAddress(const std::string& url);

// The address up to its path: "https://host:port".
std::string originOf(const std::string& url);

// Sends one request of a calendar client for the ticket, logged in as the
// account; the ticket keeps the transfer. An address that is not safe, a
// server that cannot be reached, an answer over `maximumBytes`, a refused
// login (401) and too many redirects fail the ticket; every other answer
// goes to `answered`, which ends the ticket or sends its next request. TLS
// peers are always verified.
void sendCalendarRequest(const Ticket& ticket, HttpRequest request, const CalendarAccount& account,
                         std::size_t maximumBytes,
                         std::function<void(const Ticket&, const HttpFetch::Result&)> answered);

// How a successful answer becomes the ticket's reply; throws
// CalendarDocumentError for one that cannot be used.
using ReplyReader = std::function<CalendarReply(const std::string& body, const std::string& url)>;

// Sends the request as sendCalendarRequest does; a 2xx answer is read into
// the ticket's reply, any other fails it with its status (a 403 as a refused
// login).
void sendForReply(const Ticket& ticket, HttpRequest request, const CalendarAccount& account,
                  std::size_t maximumBytes, ReplyReader reader);

bool isSuccess(long status);
// "The calendar server answered with error 404."
std::string statusFailure(long status);

} // namespace florelle
