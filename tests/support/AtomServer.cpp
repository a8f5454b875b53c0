// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomServer.h"

#include <cstdint>
#include <ctime>
#include <libxml/parser.h>
#include <libxml/tree.h>

namespace florelle::testing {

namespace {

std::string base64(const std::string& text) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < text.size(); i += 3) {
        std::uint32_t n = (std::uint8_t(text[i]) << 16) | (std::uint8_t(text[i + 1]) << 8) |
                          std::uint8_t(text[i + 2]);
        for (int shift : {18, 12, 6, 0}) {
            out += alphabet[(n >> shift) & 63];
        }
    }
    if (std::size_t rest = text.size() - i) {
        std::uint32_t n = std::uint8_t(text[i]) << 16;
        if (rest == 2) {
            n |= std::uint8_t(text[i + 1]) << 8;
        }
        out += alphabet[(n >> 18) & 63];
        out += alphabet[(n >> 12) & 63];
        out += rest == 2 ? alphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string utcText(long long seconds) {
    std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S.000Z", &parts);
    return text;
}

const char* feedOpening = "<?xml version='1.0' encoding='UTF-8'?>"
                          "<feed xmlns='http://www.w3.org/2005/Atom' "
                          "xmlns:app='http://www.w3.org/2007/app' "
                          "xmlns:times='urn:florelle:calendar-times'>";

// The title and times of an entry the client sent.
AtomServer::Event readEntry(const std::string& body) {
    AtomServer::Event event;
    xmlDoc* doc = xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr, nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) {
        return event;
    }
    for (xmlNode* node = xmlDocGetRootElement(doc)->children; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) {
            continue;
        }
        std::string name = reinterpret_cast<const char*>(node->name);
        if (name == "title") {
            xmlChar* text = xmlNodeGetContent(node);
            event.title = reinterpret_cast<const char*>(text);
            xmlFree(text);
        } else if (name == "when") {
            xmlChar* start = xmlGetProp(node, reinterpret_cast<const xmlChar*>("startTime"));
            xmlChar* end = xmlGetProp(node, reinterpret_cast<const xmlChar*>("endTime"));
            event.times.emplace_back(start ? reinterpret_cast<const char*>(start) : "",
                                     end ? reinterpret_cast<const char*>(end) : "");
            xmlFree(start);
            xmlFree(end);
        }
    }
    xmlFreeDoc(doc);
    return event;
}

} // namespace

AtomServer::AtomServer(std::string user, std::string password)
    : user_(std::move(user)), password_(std::move(password)),
      server_([this](const LoopbackServer::Request& request) { return answer(request); }) {}

std::string AtomServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(server_.port()) + path;
}

void AtomServer::setFaults(Faults faults) {
    std::lock_guard lock(mutex_);
    faults_ = std::move(faults);
}

void AtomServer::setEditTime(long long seconds) {
    std::lock_guard lock(mutex_);
    editTime_ = seconds;
}

void AtomServer::addCalendar(const std::string& title) {
    std::lock_guard lock(mutex_);
    calendars_.push_back({title, {}});
}

int AtomServer::calendarCount(const std::string& title) const {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& calendar : calendars_) {
        count += calendar.title == title;
    }
    return count;
}

std::vector<AtomServer::Event> AtomServer::events(const std::string& calendar) const {
    std::lock_guard lock(mutex_);
    const Calendar* found = calendarNamed(calendar);
    return found ? found->events : std::vector<Event>{};
}

void AtomServer::addEvent(const std::string& calendar, Event event) {
    std::lock_guard lock(mutex_);
    event.id = nextEventId_++;
    event.edited = event.edited ? event.edited : editTime_;
    calendarNamed(calendar)->events.push_back(std::move(event));
}

void AtomServer::retitleEvent(const std::string& calendar, int id, const std::string& title) {
    std::lock_guard lock(mutex_);
    for (auto& event : calendarNamed(calendar)->events) {
        if (event.id == id) {
            event.title = title;
            event.edited = editTime_;
        }
    }
}

AtomServer::Calendar* AtomServer::calendarNamed(const std::string& title) {
    for (auto& calendar : calendars_) {
        if (calendar.title == title) {
            return &calendar;
        }
    }
    return nullptr;
}

const AtomServer::Calendar* AtomServer::calendarNamed(const std::string& title) const {
    return const_cast<AtomServer*>(this)->calendarNamed(title);
}

std::optional<LoopbackServer::Answer> AtomServer::answer(const LoopbackServer::Request& request) {
    {
        std::lock_guard lock(mutex_);
        if (faults_.silent) {
            return std::nullopt;
        }
    }
    std::string path = request.target.substr(0, request.target.find('?'));
    std::string query =
        path.size() < request.target.size() ? request.target.substr(path.size() + 1) : "";
    Reply reply =
        handle(request.method, path, query, request.header("Authorization"), request.body);
    LoopbackServer::Answer answer{
        reply.status, reply.body, {"Content-Type: application/atom+xml; charset=UTF-8"}};
    if (!reply.location.empty()) {
        answer.headers.push_back("Location: " + reply.location);
    }
    return answer;
}

AtomServer::Reply AtomServer::handle(const std::string& method, std::string path,
                                     const std::string& query, const std::string& authorization,
                                     const std::string& body) {
    std::lock_guard lock(mutex_);
    if (faults_.redirectLoop) {
        return {302, {}, url(path)};
    }
    if (path.rfind("/moved/", 0) == 0) {
        return {307, {}, url(path.substr(6) + (query.empty() ? "" : "?" + query))};
    }
    if (authorization != "Basic " + base64(user_ + ":" + password_)) {
        return {401, "Unauthorized"};
    }
    if (path == "/calendar/feeds/default/allcalendars/full" && method == "GET") {
        std::string feed = feedOpening;
        for (std::size_t i = 0; i < calendars_.size(); ++i) {
            feed += calendarEntry(i);
        }
        if (feed.size() < faults_.calendarListBytes) {
            feed += "<!-- " + std::string(faults_.calendarListBytes - feed.size(), '.') + " -->";
        }
        return {200, feed + "</feed>"};
    }
    if (path == "/calendar/feeds/default/owncalendars/full" && method == "POST") {
        if (faults_.refuseNewCalendars) {
            return {500, "No new calendars"};
        }
        calendars_.push_back({readEntry(body).title, {}});
        Reply reply(201, "<?xml version='1.0'?>" + calendarEntry(calendars_.size() - 1));
        if (faults_.loseNewCalendars) {
            calendars_.pop_back();
        }
        return reply;
    }
    const std::string prefix = "/calendar/feeds/cal";
    if (path.rfind(prefix, 0) == 0) {
        std::size_t end = path.find('/', prefix.size());
        std::size_t index = std::stoul(path.substr(prefix.size(), end - prefix.size()));
        std::string rest = end == std::string::npos ? "" : path.substr(end);
        if (index < calendars_.size()) {
            return handleCalendar(method, index, rest, query, body);
        }
    }
    return {404, "Not found"};
}

AtomServer::Reply AtomServer::handleCalendar(const std::string& method, std::size_t index,
                                             const std::string& rest, const std::string& query,
                                             const std::string& body) {
    auto& events = calendars_[index].events;
    if (rest == "/private/full" && method == "GET") {
        if (faults_.failEventFeed) {
            return {faults_.failEventFeed, "Event feed failed"};
        }
        if (!faults_.eventFeedBody.empty()) {
            return {200, faults_.eventFeedBody};
        }
        std::size_t limit = events.size();
        if (auto at = query.find("max-results="); at != std::string::npos) {
            limit = std::min(limit, std::stoul(query.substr(at + 12)));
        }
        std::string feed = feedOpening;
        for (std::size_t i = 0; i < limit; ++i) {
            feed += eventEntry(index, events[i]);
        }
        return {200, feed + "</feed>"};
    }
    if (rest == "/private/full" && method == "POST") {
        if (++eventInserts_ == faults_.failEventInsert) {
            return {500, "Insert failed"};
        }
        Event event = readEntry(body);
        event.id = nextEventId_++;
        event.edited = editTime_;
        events.push_back(event);
        return {201, "<?xml version='1.0'?>" + eventEntry(index, event)};
    }
    const std::string eventPrefix = "/private/full/ev";
    if (rest.rfind(eventPrefix, 0) == 0) {
        int id = std::stoi(rest.substr(eventPrefix.size()));
        for (auto event = events.begin(); event != events.end(); ++event) {
            if (event->id != id) {
                continue;
            }
            if (method == "DELETE") {
                events.erase(event);
                return {200, {}};
            }
            if (method == "PUT") {
                Event changed = readEntry(body);
                event->title = changed.title;
                event->times = changed.times;
                event->edited = editTime_;
                return {200, "<?xml version='1.0'?>" + eventEntry(index, *event)};
            }
        }
    }
    return {404, "Not found"};
}

std::string AtomServer::calendarEntry(std::size_t index) const {
    // A relative address, as servers may give: the client resolves it.
    return "<entry xmlns='http://www.w3.org/2005/Atom'><title type='text'>" +
           escaped(calendars_[index].title) +
           "</title><link rel='alternate' type='application/atom+xml' "
           "href='/calendar/feeds/cal" +
           std::to_string(index) + "/private/full'/></entry>";
}

std::string AtomServer::eventEntry(std::size_t calendar, const Event& event) const {
    std::string entry = "<entry xmlns='http://www.w3.org/2005/Atom' "
                        "xmlns:app='http://www.w3.org/2007/app' "
                        "xmlns:times='urn:florelle:calendar-times'><title type='text'>" +
                        escaped(event.title) + "</title><app:edited>" + utcText(event.edited) +
                        "</app:edited><link rel='edit' href='" +
                        url("/calendar/feeds/cal" + std::to_string(calendar) + "/private/full/ev" +
                            std::to_string(event.id)) +
                        "'/>";
    for (const auto& [start, end] : event.times) {
        entry += "<times:when startTime='" + start + "' endTime='" + end + "'/>";
    }
    return entry + "</entry>";
}

} // namespace florelle::testing
