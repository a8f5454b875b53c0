// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarServerClient.h"

namespace florelle {

namespace {

// The outer ticket ends as the inner one does.
void follow(const Ticket& outer, const Ticket& inner) {
    outer->keepWhileRunning(inner);
    std::weak_ptr<CalendarTicket> weakOuter = outer;
    std::weak_ptr<CalendarTicket> weakInner = inner;
    inner->whenFinished([weakOuter, weakInner] {
        auto outer = weakOuter.lock();
        auto inner = weakInner.lock();
        if (!outer || !inner) {
            return;
        }
        if (inner->succeeded()) {
            outer->finish(inner->reply());
        } else {
            outer->fail(inner->failure().value_or(""));
        }
    });
}

} // namespace

CalendarServerClient::CalendarServerClient(const CalendarAccount& account, const Calendar& calendar,
                                           std::shared_ptr<CalDavDiscovery> discovery)
    : calDav_(std::make_shared<CalDavCalendarClient>(account, calendar, discovery)),
      atom_(std::make_shared<AtomCalendarClient>(account, calendar)),
      discovery_(std::move(discovery)) {}

Ticket CalendarServerClient::chosen(Operation operation) {
    if (discovery_->speaksCalDav) {
        return operation(*discovery_->speaksCalDav ? static_cast<CalendarDataClient&>(*calDav_)
                                                   : *atom_);
    }
    auto ticket = std::make_shared<CalendarTicket>();
    auto probe = calDav_->discover();
    ticket->keepWhileRunning(probe);
    std::weak_ptr<CalendarTicket> weakTicket = ticket;
    std::weak_ptr<CalendarTicket> weakProbe = probe;
    probe->whenFinished([weakTicket, weakProbe, calDav = calDav_, atom = atom_,
                         discovery = discovery_, operation = std::move(operation)] {
        auto ticket = weakTicket.lock();
        auto probe = weakProbe.lock();
        if (!ticket || !probe) {
            return;
        }
        // A refused login or a silent server says nothing of the protocol.
        if (!discovery->speaksCalDav) {
            ticket->fail(probe->failure().value_or(""));
            return;
        }
        follow(ticket,
               operation(*discovery->speaksCalDav ? static_cast<CalendarDataClient&>(*calDav)
                                                  : *atom));
    });
    return ticket;
}

Ticket CalendarServerClient::fetchCalendarList() {
    return chosen([](CalendarDataClient& client) { return client.fetchCalendarList(); });
}

Ticket CalendarServerClient::insertCalendar(const std::string& title) {
    return chosen([title](CalendarDataClient& client) { return client.insertCalendar(title); });
}

Ticket CalendarServerClient::fetchEvents(const CalendarEntry& calendar, int maximumResults) {
    return chosen([calendar, maximumResults](CalendarDataClient& client) {
        return client.fetchEvents(calendar, maximumResults);
    });
}

Ticket CalendarServerClient::insertEvent(const CalendarEntry& calendar,
                                         const CalendarEvent& event) {
    return chosen([calendar, event](CalendarDataClient& client) {
        return client.insertEvent(calendar, event);
    });
}

Ticket CalendarServerClient::updateEvent(const CalendarEvent& event) {
    return chosen([event](CalendarDataClient& client) { return client.updateEvent(event); });
}

Ticket CalendarServerClient::deleteEvent(const CalendarEvent& event) {
    return chosen([event](CalendarDataClient& client) { return client.deleteEvent(event); });
}

} // namespace florelle
