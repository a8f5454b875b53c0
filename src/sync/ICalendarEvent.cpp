// SPDX-License-Identifier: GPL-3.0-or-later
#include "ICalendarEvent.h"

#include <cmath>
#include <libical/ical.h>
#include <memory>

namespace florelle {

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct BufferFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};

icaltimezone* utc() {
    return icaltimezone_get_utc_timezone();
}

icaltimetype utcTime(Date date) {
    return icaltime_from_timet_with_zone(
        static_cast<time_t>(std::floor(date.timeIntervalSince1970())), 0, utc());
}

// The zone's description from libical's zone data, named by its IANA name
// and cut to the years from `from` on; nullptr where libical lacks the zone.
icalcomponent* zoneFrom(const std::string& identifier, Date from) {
    icaltimezone* zone = icaltimezone_get_builtin_timezone(identifier.c_str());
    icalcomponent* described = zone ? icaltimezone_get_component(zone) : nullptr;
    if (!described || identifier == "UTC") {
        return nullptr;
    }
    icalcomponent* copy = icalcomponent_new_clone(described);
    icaltimezone_truncate_vtimezone(copy, utcTime(from), icaltime_null_time(), 0);
    if (icalproperty* id = icalcomponent_get_first_property(copy, ICAL_TZID_PROPERTY)) {
        icalproperty_set_tzid(id, identifier.c_str());
    }
    return copy;
}

} // namespace

std::string ICalendarEvent::write(const CalendarEvent& event, Date stamp) const {
    Component object(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(object.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(object.get(), icalproperty_new_prodid("-//Florelle//Sync//EN"));
    icalcomponent* vevent = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(vevent, icalproperty_new_uid(event.uid.c_str()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(utcTime(stamp)));
    icalcomponent_add_property(vevent, icalproperty_new_lastmodified(utcTime(stamp)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(event.title.c_str()));
    if (!event.times.empty()) {
        const EventTime& time = event.times.front();
        const std::string& identifier = calendar_.timeZone().identifier();
        icalcomponent* zone = zoneFrom(identifier, time.start);
        if (zone) {
            icalcomponent_add_component(object.get(), zone);
        }
        auto timeProperty = [&](icalproperty* (*make)(icaltimetype), Date date) {
            if (!zone) {
                return make(utcTime(date));
            }
            DateComponents parts =
                calendar_.components(Date(std::floor(date.timeIntervalSince1970())));
            icaltimetype local = icaltime_null_time();
            local.year = parts.year;
            local.month = parts.month;
            local.day = parts.day;
            local.hour = parts.hour;
            local.minute = parts.minute;
            local.second = parts.second;
            icalproperty* property = make(local);
            icalproperty_add_parameter(property, icalparameter_new_tzid(identifier.c_str()));
            return property;
        };
        icalcomponent_add_property(vevent, timeProperty(icalproperty_new_dtstart, time.start));
        icalcomponent_add_property(vevent, timeProperty(icalproperty_new_dtend, time.end));
    }
    icalcomponent_add_component(object.get(), vevent);
    std::unique_ptr<char, BufferFree> text(icalcomponent_as_ical_string_r(object.get()));
    return text ? text.get() : "";
}

std::optional<CalendarEvent> ICalendarEvent::read(std::string_view text) const {
    Component object(icalparser_parse_string(std::string(text).c_str()));
    if (!object) {
        return std::nullopt;
    }
    icalcomponent* vevent =
        icalcomponent_isa(object.get()) == ICAL_VEVENT_COMPONENT
            ? object.get()
            : icalcomponent_get_first_component(object.get(), ICAL_VEVENT_COMPONENT);
    if (!vevent) {
        return std::nullopt;
    }
    auto toDate = [this](icaltimetype time) {
        if (time.is_date || !time.zone) {
            return calendar_.dateFromComponents(
                {time.year, time.month, time.day, time.is_date ? 0 : time.hour,
                 time.is_date ? 0 : time.minute, time.is_date ? 0 : time.second});
        }
        return Date(static_cast<double>(icaltime_as_timet_with_zone(time, time.zone)));
    };
    CalendarEvent event;
    const char* summary = icalcomponent_get_summary(vevent);
    event.title = summary ? summary : "";
    const char* uid = icalcomponent_get_uid(vevent);
    event.uid = uid ? uid : "";
    icaltimetype start = icalcomponent_get_dtstart(vevent);
    if (!icaltime_is_null_time(start) && icaltime_is_valid_time(start)) {
        icaltimetype end = icalcomponent_get_dtend(vevent);
        Date startDate = toDate(start);
        event.times.push_back({startDate, icaltime_is_null_time(end) ? startDate : toDate(end)});
    }
    icalproperty* modified = icalcomponent_get_first_property(vevent, ICAL_LASTMODIFIED_PROPERTY);
    icalproperty* stamped = icalcomponent_get_first_property(vevent, ICAL_DTSTAMP_PROPERTY);
    if (modified) {
        event.edited = toDate(icalproperty_get_lastmodified(modified));
    } else if (stamped) {
        event.edited = toDate(icalproperty_get_dtstamp(stamped));
    }
    return event;
}

} // namespace florelle
