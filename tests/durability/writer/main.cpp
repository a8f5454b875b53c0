// SPDX-License-Identifier: GPL-3.0-or-later
// A diary user who never stops: logs, adds, edits and deletes periods in the
// documents folder given, one save after another, until it is killed. The
// durability tests kill it at random moments and run several at once.
//
//   diary-writer DOCUMENTS steady            saves that mostly succeed
//   diary-writer DOCUMENTS contended ORIGIN  days that other writers want too
//
// It writes "ready" on descriptor 3 once the diary is open. A save that
// fails for any reason but a busy diary ends it with status 1.
#include "../StoreFailure.h"
#include "cycle/PastPeriodEntry.h"
#include "cycle/PeriodEntry.h"
#include "foundation/Calendar.h"
#include "foundation/Paths.h"
#include "foundation/TimeZone.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>

using namespace florelle;
using florelle::testing::failureOf;

namespace {

using DC = DatabaseController;
using Past = PastPeriodEntry;
constexpr Date noEnd;

// Another writer holding the diary past the time-out is a refusal the user
// is told of, not a fault; any other failure is.
void failUnless(const std::optional<StoreError>& error) {
    if (error && error->kind != StoreError::Kind::busy) {
        std::fprintf(stderr, "diary-writer: %s\n", error->message().c_str());
        std::exit(1);
    }
}

void save(PeriodEntry::Mode mode, Date day, const Calendar& calendar, Date now) {
    failUnless(PeriodEntry::save(mode, day, calendar, now).error);
}

void save(const Past::Entry& entry, const Calendar& calendar) {
    failUnless(Past::save(entry, calendar).error);
}

Past::Entry added(Date start, Date end, Past::Mode mode = Past::Mode::startAndEnd) {
    return {start, end, true, Date(), mode};
}

Past::Entry edited(Date start, Date end, Date oldStart, Past::Mode mode = Past::Mode::startAndEnd) {
    return {start, end, false, oldStart, mode};
}

std::vector<Past::Period> periods() {
    auto logged = Past::loggedPeriods();
    failUnless(failureOf(logged));
    return *logged;
}

// Every kind of save in turn, each on days after the latest period, so that
// most of them are stored; the diary keeps its forty latest periods.
class SteadyWriter {
public:
    void act(unsigned step) {
        auto logged = periods();
        if (logged.size() > 40) {
            failUnless(failureOf(DC::deletePeriodWithStartDate(
                static_cast<long long>(logged.front().start.timeIntervalSince1970()))));
            return;
        }
        Date first = calendar_.dateFromComponents({2000, 1, 1});
        Past::Period latest = logged.empty() ? Past::Period{first, first} : logged.back();
        Date free = day(latest.end == noEnd ? latest.start : latest.end, 2);
        switch (step % 7) {
        case 0:
            return save(PeriodEntry::Mode::start, free, calendar_, now_);
        case 1:
            return save(PeriodEntry::Mode::end, day(latest.start, 3), calendar_, now_);
        case 2:
            return save(added(free, day(free, 4)), calendar_);
        case 3:
            return save(edited(day(latest.start, 1),
                               latest.end == noEnd ? noEnd : day(latest.end, 1), latest.start),
                        calendar_);
        case 4:
            return save(added(free, noEnd, Past::Mode::startOnly), calendar_);
        case 5:
            // As the period log offers it: the open period's start shown.
            return save(
                edited(latest.start, day(latest.start, 4), latest.start, Past::Mode::endOnly),
                calendar_);
        default:
            if (logged.size() > 2) {
                const Past::Period& middle = logged[logged.size() / 2];
                save(edited(middle.start, day(middle.end, 1), middle.start), calendar_);
            }
            return;
        }
    }

private:
    Date day(Date date, int days) const { return calendar_.addingDays(date, days); }

    Calendar calendar_ = Calendar::current();
    Date now_ = calendar_.dateFromComponents({3000, 1, 1});
};

// Saves on the few days around a today that moves on one day every 20 ms of
// the machine's steady clock, counted from ORIGIN (milliseconds of that
// clock, the same in every process): writers started together want the
// same days at the same moments.
class ContendedWriter {
public:
    explicit ContendedWriter(long long originMilliseconds) : origin_(originMilliseconds) {}

    void act() {
        Date today = calendar_.addingDays(first_, static_cast<int>(elapsedMilliseconds() / 20));
        Date now = calendar_.endOfDay(today);
        Date near = calendar_.addingDays(today, -pick(0, 3));
        auto logged = periods();
        switch (pick(0, 5)) {
        case 0:
            return save(PeriodEntry::Mode::start, near, calendar_, now);
        case 1:
            return save(PeriodEntry::Mode::end, near, calendar_, now);
        case 2: {
            Date start = calendar_.addingDays(today, -pick(0, 20));
            return save(added(start, calendar_.addingDays(start, pick(0, 4))), calendar_);
        }
        case 3:
            return save(added(near, noEnd, Past::Mode::startOnly), calendar_);
        case 4: {
            // The period log shows the open period's start as it read it.
            Date shown = logged.empty() ? near : logged.back().start;
            return save(edited(shown, near, shown, Past::Mode::endOnly), calendar_);
        }
        default:
            if (logged.empty()) {
                return;
            }
            const Past::Period& chosen = logged[pick(0, static_cast<int>(logged.size()) - 1)];
            Date start = calendar_.addingDays(chosen.start, pick(-2, 2));
            Date end = chosen.end == noEnd ? noEnd : calendar_.addingDays(chosen.end, pick(-2, 2));
            return save(edited(start, end, chosen.start), calendar_);
        }
    }

private:
    long long elapsedMilliseconds() const {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count() - origin_;
    }
    int pick(int least, int most) {
        return std::uniform_int_distribution<int>(least, most)(random_);
    }

    long long origin_;
    Calendar calendar_ = Calendar::current();
    Date first_ = calendar_.dateFromComponents({2000, 1, 1});
    std::mt19937 random_{static_cast<unsigned>(getpid())};
};

} // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 2 ? argv[2] : "";
    if (!(mode == "steady" && argc == 3) && !(mode == "contended" && argc == 4)) {
        std::fprintf(stderr, "usage: diary-writer DOCUMENTS steady|contended ORIGIN\n");
        return 2;
    }
    Paths::setDocumentsDirectory(argv[1]);
    // Day keys in the diary are then whole multiples of 86400 s, as the
    // tests count days.
    TimeZone::setCurrent("UTC");
    failUnless(failureOf(SQLiteAccess::checkDiary()));
    // Both writers are made before "ready": setting up the calendar takes
    // longer than a save, and the kills are meant for the saves.
    SteadyWriter steady;
    ContendedWriter contended(mode == "contended" ? std::stoll(argv[3]) : 0);
    dprintf(3, "ready\n");
    // Each process begins at another kind of save.
    for (unsigned step = static_cast<unsigned>(getpid());; ++step) {
        if (mode == "steady") {
            steady.act(step);
        } else {
            contended.act();
        }
    }
}
