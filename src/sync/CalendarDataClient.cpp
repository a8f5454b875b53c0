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
    transfer_.reset();
}

void CalendarTicket::fail(std::string reason) {
    if (finished_) {
        return;
    }
    finished_ = true;
    failure_ = std::move(reason);
    transfer_.reset();
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
