// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarRequest.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>

namespace florelle {

namespace {

// Each wait has its own, shorter limit; this only ends a transfer nobody waits for.
constexpr double transferTimeout = 360;

const char* refusedLogin = "The calendar server did not accept the user name and password.";

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

} // namespace

bool isSafeCalendarAddress(const std::string& url) {
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

std::string originOf(const std::string& url) {
    auto begin = url.find("://");
    if (begin == std::string::npos) {
        return url;
    }
    return url.substr(0, url.find_first_of("/?#", begin + 3));
}

bool isSuccess(long status) {
    return status >= 200 && status < 300;
}

std::string statusFailure(long status) {
    return "The calendar server answered with error " + std::to_string(status) + ".";
}

void sendCalendarRequest(const Ticket& ticket, HttpRequest request, const CalendarAccount& account,
                         std::size_t maximumBytes,
                         std::function<void(const Ticket&, const HttpFetch::Result&)> answered) {
    if (!isSafeCalendarAddress(request.url)) {
        ticket->fail("The calendar server's address " + request.url +
                     " is not an https address; the password is not sent to it.");
        return;
    }
    request.user = account.user;
    request.password = account.password;
    request.protocols = lowered(request.url.substr(0, 5)) == "https" ? "https" : "http,https";
    std::weak_ptr<CalendarTicket> weakTicket = ticket;
    auto fetch = std::make_shared<HttpFetch>(
        request, transferTimeout, maximumBytes,
        [weakTicket, maximumBytes, answered = std::move(answered)](HttpFetch::Result result) {
            auto ticket = weakTicket.lock();
            if (!ticket) {
                return;
            }
            if (!result.answered) {
                ticket->fail("The calendar server could not be reached: " + result.error);
            } else if (result.truncated) {
                ticket->fail("The calendar server's answer is larger than " +
                             std::to_string(maximumBytes / (1024 * 1024)) + " MB.");
            } else if (result.status == 401) {
                ticket->fail(refusedLogin);
            } else if (result.status >= 300 && result.status < 400) {
                ticket->fail("The calendar server redirected the request too often.");
            } else {
                answered(ticket, result);
            }
        });
    ticket->keepWhileRunning(fetch);
}

void sendForReply(const Ticket& ticket, HttpRequest request, const CalendarAccount& account,
                  std::size_t maximumBytes, ReplyReader reader) {
    std::string url = request.url;
    sendCalendarRequest(
        ticket, std::move(request), account, maximumBytes,
        [url, reader = std::move(reader)](const Ticket& ticket, const HttpFetch::Result& result) {
            if (!isSuccess(result.status)) {
                ticket->fail(result.status == 403 ? refusedLogin : statusFailure(result.status));
                return;
            }
            try {
                ticket->finish(reader(result.body, url));
            } catch (const CalendarDocumentError& error) {
                ticket->fail(error.what());
            }
        });
}

} // namespace florelle
