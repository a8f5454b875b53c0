// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarDataClient.h"

#include "foundation/Clock.h"
#include "foundation/Format.h"
#include "foundation/RunLoop.h"

#include <cmath>

namespace florelle {

void CalendarTicket::finish(CalendarReply reply) {
    if (finished_) {
        return;
    }
    finished_ = true;
    reply_ = std::move(reply);
    ended();
}

void CalendarTicket::fail(std::string reason) {
    if (finished_) {
        return;
    }
    finished_ = true;
    failure_ = std::move(reason);
    ended();
}

void CalendarTicket::whenFinished(std::function<void()> action) {
    if (finished_) {
        action();
    } else {
        whenFinished_ = std::move(action);
    }
}

void CalendarTicket::ended() {
    // The action may drop the last reference to this ticket: nothing of it
    // is touched after the action has run.
    auto action = std::move(whenFinished_);
    transfer_.reset();
    if (action) {
        action();
    }
}

bool CalendarDataClient::waitForTicket(const Ticket& ticket, double timeout,
                                       const std::function<bool()>& cancelled) {
    Date deadline = Clock::current()->now().addingSeconds(timeout);
    RunLoop::current().runUntil([&] { return ticket->isFinished() || (cancelled && cancelled()); },
                                deadline);
    if (!ticket->isFinished()) {
        bool wasCancelled = cancelled && cancelled();
        ticket->fail(wasCancelled
                         ? "The sync was cancelled."
                         : "The calendar server did not answer within " +
                               formatFixed(timeout, timeout == std::floor(timeout) ? 0 : 1) +
                               " seconds.");
    }
    return ticket->succeeded();
}

} // namespace florelle
