// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/CalendarSync.h"

#include "storage/DatabaseController.h"
#include "support/AtomServer.h"
#include "support/TestEnvironment.h"
#include "sync/AtomCalendarClient.h"

#include <gtest/gtest.h>
#include <map>

namespace florelle {
namespace {

using DC = DatabaseController;
using testing::AtomServer;
using Result = SyncOutcome::Result;

// A diary with one logged period and two notes, in a zone east of UTC,
// where a day's stored time and its local midnight fall on different UTC days.
class CalendarSyncTest : public testing::DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        setTimeZone("Europe/Berlin");
        ASSERT_TRUE(DC::saveLog(day(2), day(6)));
        periodNoteDay_ = DC::openDay(day(3)).value();
        regularNoteDay_ = DC::openDay(day(-8)).value(); // 20 February
        ASSERT_TRUE(DC::saveNote("Cramps", periodNoteDay_, clock_->now()));
        ASSERT_TRUE(DC::saveNote("Long walk", regularNoteDay_, clock_->now()));
        periodDays_ = DC::getAllPeriodDates(clock_->now())->size();
        fertileDays_ = DC::getAllFertileDates(clock_->now())->size();
        server_.setEditTime(static_cast<long long>(clock_->now().timeIntervalSince1970()) + 60);
    }

    // Local midnight of a day of March 2026.
    Date day(int number) const { return calendar().dateFromComponents({2026, 3, number}); }
    static Calendar calendar() { return Calendar(TimeZone::current()); }

    SyncOutcome sync() { return sync(server_, {}, "secret"); }
    SyncOutcome sync(AtomServer& server, SyncLimits limits, std::string password) {
        CalendarSync engine(
            "anna",
            [&server, password] {
                return std::make_unique<AtomCalendarClient>(
                    CalendarAccount{server.url(), "anna", password}, calendar());
            },
            {"Periode", "Fruchtbar"}, calendar(), clock_->now(), limits);
        return engine.syncWithUser();
    }

    // The calendar's events by the seconds of their start: "10", "20" or other.
    std::map<std::string, int> kinds() const {
        std::map<std::string, int> counted;
        for (const auto& event : server_.events("Florelle")) {
            std::string second = event.times.at(0).first.substr(17, 2);
            ++counted[second == "10" || second == "20" ? second : "note"];
        }
        return counted;
    }

    std::string note(int dateId) const { return DC::getNoteForDateId(dateId)->value_or(""); }

    AtomServer server_{"anna", "secret"};
    int periodNoteDay_ = 0;
    int regularNoteDay_ = 0;
    std::size_t periodDays_ = 0;
    std::size_t fertileDays_ = 0;
};

TEST_F(CalendarSyncTest, TheFirstSyncMakesTheCalendarAndTheNextFindsItsEventsAgain) {
    SyncOutcome first = sync();
    EXPECT_EQ(first.result, Result::synced) << first.reason;
    EXPECT_TRUE(first.calendarCreated);
    EXPECT_EQ(server_.calendarCount("Florelle"), 1);
    std::map<std::string, int> expected = {
        {"10", static_cast<int>(periodDays_)}, {"20", static_cast<int>(fertileDays_)}, {"note", 2}};
    EXPECT_EQ(kinds(), expected);
    EXPECT_EQ(first.inserted, static_cast<int>(periodDays_ + fertileDays_ + 2));
    EXPECT_EQ(DC::getUsername().value(), "anna");
    EXPECT_EQ(DC::getIsFirstSync().value(), 0);
    EXPECT_EQ(DC::getPassword().value().value_or(""), "") << "the password is never stored";

    SyncOutcome second = sync();
    EXPECT_EQ(second.result, Result::synced) << second.reason;
    EXPECT_FALSE(second.calendarCreated);
    EXPECT_EQ(second.inserted, 2) << "only the notes are written again";
    EXPECT_EQ(second.deleted, 2);
    EXPECT_EQ(second.updated, 0);
    EXPECT_EQ(second.imported, 0);
    EXPECT_EQ(kinds(), expected);
    EXPECT_EQ(server_.calendarCount("Florelle"), 1);
    EXPECT_EQ(note(periodNoteDay_), "Cramps");
}

TEST_F(CalendarSyncTest, ADayThatChangedKindKeepsItsEventWithTheNewTitleAndTime) {
    // The calendar as an earlier sync left it, when the period's first day
    // was a fertile day and a fertile day a period day.
    Date periodDay = day(2);
    Date fertileDay = DC::getAllFertileDates(clock_->now())->front();
    AtomFeed feed(calendar());
    auto event = [&](const char* title, Date day, int second) {
        Date start = day.addingSeconds(second);
        return AtomServer::Event{
            title,
            {{feed.formatTime(start), feed.formatTime(start.addingSeconds(86399 - second))}}};
    };
    server_.addCalendar("Florelle");
    server_.addEvent("Florelle", event("Fruchtbar", periodDay, 20));
    server_.addEvent("Florelle", event("Periode", fertileDay, 10));

    SyncOutcome outcome = sync();
    EXPECT_EQ(outcome.result, Result::synced) << outcome.reason;
    EXPECT_EQ(outcome.updated, 2);
    EXPECT_EQ(outcome.inserted, static_cast<int>(periodDays_ + fertileDays_ - 2 + 2));
    EXPECT_EQ(outcome.deleted, 0);
    auto stored = server_.events("Florelle");
    ASSERT_GE(stored.size(), 2u);
    EXPECT_EQ(stored[0].title, "Periode");
    EXPECT_EQ(stored[0].times, event("", periodDay, 10).times) << "replaced, not added";
    EXPECT_EQ(stored[1].title, "Fruchtbar") << "the looked-up title";
    EXPECT_EQ(stored[1].times, event("", fertileDay, 20).times);
}

TEST_F(CalendarSyncTest, ANoteEditedInTheCalendarComesBackOnlyOnPeriodAndFertileDays) {
    ASSERT_EQ(sync().result, Result::synced);
    server_.setEditTime(static_cast<long long>(clock_->now().timeIntervalSince1970()) + 3600);
    for (const auto& event : server_.events("Florelle")) {
        if (event.title == "Cramps") {
            server_.retitleEvent("Florelle", event.id, "Cramps'); DELETE FROM note; --");
        } else if (event.title == "Long walk") {
            server_.retitleEvent("Florelle", event.id, "Short walk");
        }
    }
    clock_->advance(7200);
    SyncOutcome outcome = sync();
    EXPECT_EQ(outcome.result, Result::synced) << outcome.reason;
    EXPECT_EQ(outcome.imported, 1);
    EXPECT_EQ(note(periodNoteDay_), "Cramps'); DELETE FROM note; --");
    EXPECT_EQ(note(regularNoteDay_), "Long walk") << "not a period or fertile day";
    EXPECT_EQ(DC::getNoteEditTime(periodNoteDay_).value(),
              static_cast<long long>(clock_->now().timeIntervalSince1970()));

    // The diary's own later edit wins over the calendar's older one.
    ASSERT_TRUE(DC::saveNote("Cramps, less", periodNoteDay_, clock_->now().addingSeconds(60)));
    EXPECT_EQ(sync().imported, 0);
    EXPECT_EQ(note(periodNoteDay_), "Cramps, less");
}

TEST_F(CalendarSyncTest, AFailingServerEndsWithTheReasonAndLosesNothing) {
    struct Case {
        const char* name;
        std::function<void(AtomServer::Faults&)> fault;
        bool calendarExists;
        Result result;
        const char* reason;
    } cases[] = {
        {"wrong password", [](AtomServer::Faults&) {}, false, Result::failed,
         "did not accept the user name and password"},
        {"no answer", [](AtomServer::Faults& f) { f.silent = true; }, false, Result::failed,
         "did not answer within 0.5 seconds"},
        {"a redirect loop", [](AtomServer::Faults& f) { f.redirectLoop = true; }, false,
         Result::failed, "redirect"},
        {"5 MB", [](AtomServer::Faults& f) { f.calendarListBytes = 5 << 20; }, false,
         Result::failed, "larger than 4 MB"},
        {"no event list", [](AtomServer::Faults& f) { f.failEventFeed = 500; }, true,
         Result::failed, "error 500"},
        {"an external entity",
         [](AtomServer::Faults& f) {
             f.eventFeedBody = "<!DOCTYPE feed [<!ENTITY e SYSTEM 'file:///etc/passwd'>]>"
                               "<feed xmlns='http://www.w3.org/2005/Atom'>&e;</feed>";
         },
         true, Result::failed, "declares entities"},
        {"no new calendar", [](AtomServer::Faults& f) { f.refuseNewCalendars = true; }, false,
         Result::failed, "error 500"},
        {"a calendar lost", [](AtomServer::Faults& f) { f.loseNewCalendars = true; }, false,
         Result::failed, "was created but cannot be found"},
        {"one insert fails", [](AtomServer::Faults& f) { f.failEventInsert = 3; }, false,
         Result::someNotCopied, ""},
    };
    // Waits end on the real clock.
    Clock::setCurrent(std::make_shared<RealClock>());
    int everything = static_cast<int>(periodDays_ + fertileDays_ + 2);
    for (const auto& row : cases) {
        AtomServer server("anna", "secret");
        if (row.calendarExists) {
            server.addCalendar("Florelle");
        }
        AtomServer::Faults faults;
        row.fault(faults);
        server.setFaults(faults);
        bool wrongPassword = std::string(row.name) == "wrong password";
        // Only the silent server waits out its time; the others answer at once.
        SyncLimits limits;
        limits.requestTimeout = limits.creationTimeout =
            std::string(row.name) == "no answer" ? 0.5 : 20;
        SyncOutcome outcome = sync(server, limits, wrongPassword ? "guess" : "secret");
        EXPECT_EQ(outcome.result, row.result) << row.name;
        EXPECT_NE(outcome.reason.find(row.reason), std::string::npos)
            << row.name << ": " << outcome.reason;
        EXPECT_EQ(note(periodNoteDay_), "Cramps") << row.name;
        EXPECT_EQ(note(regularNoteDay_), "Long walk") << row.name;
        EXPECT_EQ(DC::getAllPeriods()->size(), 1u) << row.name;
        if (wrongPassword) {
            EXPECT_EQ(DC::getUsername().value().value_or(""), "") << "kept as it was";
        }
        if (row.result == Result::someNotCopied) {
            EXPECT_EQ(outcome.failedRequests, 1);
            EXPECT_EQ(outcome.inserted, everything - 1);
            EXPECT_EQ(server.events("Florelle").size(), static_cast<std::size_t>(everything - 1));
        } else if (row.calendarExists) {
            EXPECT_TRUE(server.events("Florelle").empty()) << row.name << ": nothing inserted";
        }
    }
}

} // namespace
} // namespace florelle
