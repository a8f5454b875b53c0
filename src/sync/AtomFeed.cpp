// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomFeed.h"

#include "CalendarXml.h"

#include <cmath>
#include <cstdio>

namespace florelle {

namespace {

constexpr const char* atomNamespace = "http://www.w3.org/2005/Atom";
constexpr const char* timesNamespace = "urn:florelle:calendar-times";
constexpr const char* publishingNamespace = "http://www.w3.org/2007/app";

// The href of the entry's link with this rel (and type, when given).
std::optional<std::string> link(const xmlNode* entry, const char* rel, const char* type) {
    for (const xmlNode* node : childElements(entry, atomNamespace, "link")) {
        if (attributeOf(node, "rel") == rel && (!type || attributeOf(node, "type") == type)) {
            return attributeOf(node, "href");
        }
    }
    return std::nullopt;
}

const xmlNode* root(const XmlDoc& doc, const char* name) {
    const xmlNode* node = xmlDocGetRootElement(doc.get());
    if (!isElement(node, atomNamespace, name)) {
        throw AtomFeedError(std::string("The calendar server's answer is not an Atom ") + name +
                            ".");
    }
    return node;
}

CalendarEntry calendarFrom(const xmlNode* entry, const std::string& address) {
    auto href = link(entry, "alternate", "application/atom+xml");
    if (!href || href->empty()) {
        throw AtomFeedError("A calendar in the server's list has no address for its events.");
    }
    return {textOf(childElement(entry, atomNamespace, "title")), resolvedAddress(*href, address)};
}

bool digits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    if (from + count > text.size()) {
        return false;
    }
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Days from 1970-01-01 to the proleptic Gregorian date.
long long daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int daysInMonth(int year, int month) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

} // namespace

std::vector<CalendarEntry> AtomFeed::parseCalendarList(std::string_view document,
                                                       const std::string& address) const {
    XmlDoc doc = readCalendarDocument(document, address);
    std::vector<CalendarEntry> calendars;
    for (const xmlNode* entry : childElements(root(doc, "feed"), atomNamespace, "entry")) {
        calendars.push_back(calendarFrom(entry, address));
    }
    return calendars;
}

CalendarEntry AtomFeed::parseCalendarEntry(std::string_view document,
                                           const std::string& address) const {
    XmlDoc doc = readCalendarDocument(document, address);
    return calendarFrom(root(doc, "entry"), address);
}

std::vector<CalendarEvent> AtomFeed::parseEventFeed(std::string_view document,
                                                    const std::string& address) const {
    XmlDoc doc = readCalendarDocument(document, address);
    std::vector<CalendarEvent> events;
    for (const xmlNode* entry : childElements(root(doc, "feed"), atomNamespace, "entry")) {
        CalendarEvent event;
        event.title = textOf(childElement(entry, atomNamespace, "title"));
        const xmlNode* edited = childElement(entry, publishingNamespace, "edited");
        if (!edited) {
            edited = childElement(entry, atomNamespace, "updated");
        }
        if (edited) {
            auto when = parseTime(textOf(edited));
            if (!when) {
                throw AtomFeedError("An event in the calendar has an unreadable edit time.");
            }
            event.edited = *when;
        }
        // Events repeated by a rule have no times of their own; they match no day.
        for (const xmlNode* when : childElements(entry, timesNamespace, "when")) {
            auto start = parseTime(attributeOf(when, "startTime").value_or(""));
            auto end = parseTime(attributeOf(when, "endTime").value_or(""));
            if (!start || !end) {
                throw AtomFeedError("An event in the calendar has an unreadable time.");
            }
            event.times.push_back({*start, *end});
        }
        if (auto edit = link(entry, "edit", nullptr)) {
            event.editUrl = resolvedAddress(*edit, address);
        }
        events.push_back(std::move(event));
    }
    return events;
}

namespace {

struct Entry {
    XmlDoc doc{xmlNewDoc(xmlText("1.0"))};
    xmlNode* root = nullptr;
    xmlNs* atom = nullptr;

    explicit Entry(const std::string& title) {
        root = xmlNewDocNode(doc.get(), nullptr, xmlText("entry"), nullptr);
        xmlDocSetRootElement(doc.get(), root);
        atom = xmlNewNs(root, xmlText(atomNamespace), nullptr);
        xmlSetNs(root, atom);
        // xmlNewTextChild escapes the text.
        xmlNode* heading = xmlNewTextChild(root, atom, xmlText("title"), xmlText(title.c_str()));
        xmlNewProp(heading, xmlText("type"), xmlText("text"));
    }

    std::string text() const { return documentText(doc); }
};

} // namespace

std::string AtomFeed::calendarEntry(const std::string& title) const {
    return Entry(title).text();
}

std::string AtomFeed::eventEntry(const CalendarEvent& event) const {
    Entry entry(event.title);
    xmlNs* times = xmlNewNs(entry.root, xmlText(timesNamespace), xmlText("times"));
    for (const EventTime& time : event.times) {
        xmlNode* when = xmlNewChild(entry.root, times, xmlText("when"), nullptr);
        xmlNewProp(when, xmlText("startTime"), xmlText(formatTime(time.start).c_str()));
        xmlNewProp(when, xmlText("endTime"), xmlText(formatTime(time.end).c_str()));
    }
    return entry.text();
}

std::optional<Date> AtomFeed::parseTime(std::string_view text) const {
    int year, month, day;
    if (!digits(text, 0, 4, year) || text.size() < 10 || text[4] != '-' ||
        !digits(text, 5, 2, month) || text[7] != '-' || !digits(text, 8, 2, day) || month < 1 ||
        month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return std::nullopt;
    }
    if (text.size() == 10) {
        return calendar_.dateFromComponents({year, month, day});
    }
    int hour, minute, second;
    if (text[10] != 'T' || !digits(text, 11, 2, hour) || text.size() < 19 || text[13] != ':' ||
        !digits(text, 14, 2, minute) || text[16] != ':' || !digits(text, 17, 2, second) ||
        hour > 23 || minute > 59 || second > 60) {
        return std::nullopt;
    }
    std::size_t at = 19;
    if (at < text.size() && text[at] == '.') {
        std::size_t digitsStart = ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
        }
        if (at == digitsStart) {
            return std::nullopt;
        }
    }
    int offset = 0;
    if (at + 1 == text.size() && text[at] == 'Z') {
        offset = 0;
    } else if (int offsetHours, offsetMinutes;
               at + 6 == text.size() && (text[at] == '+' || text[at] == '-') &&
               digits(text, at + 1, 2, offsetHours) && text[at + 3] == ':' &&
               digits(text, at + 4, 2, offsetMinutes) && offsetHours <= 23 && offsetMinutes <= 59) {
        offset = (offsetHours * 3600 + offsetMinutes * 60) * (text[at] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    long long seconds =
        daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset;
    return Date(static_cast<double>(seconds));
}

std::string AtomFeed::formatTime(Date date) const {
    Date whole(std::floor(date.timeIntervalSince1970()));
    DateComponents parts = calendar_.components(whole);
    int offset = calendar_.secondsFromGMT(whole);
    int magnitude = std::abs(offset) / 60;
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.000%c%02d:%02d", parts.year,
                  parts.month, parts.day, parts.hour, parts.minute, parts.second,
                  offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    return text;
}

} // namespace florelle
