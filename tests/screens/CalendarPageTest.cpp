// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "calendar/CalGridView.h"
#include "calendar/CalMonthView.h"
#include "calendar/CalTileView.h"
#include "foundation/UserDefaults.h"
#include "screens/CalendarGlobalController.h"
#include "screens/DayDetailsPanel.h"
#include "screens/DiaryActions.h"
#include "screens/DiaryWatch.h"
#include "screens/NotesGlobalController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextView.h"

#include <functional>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// Periods 5-9 January and 2-6 February 2026 (28-day cycle, 5-day periods,
// ovulation on day 14).
void logTwoPeriods() {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 1, 5), localDate(2026, 1, 9)));
    ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 2), localDate(2026, 2, 6)));
}

int dayId(int year, int month, int day) {
    return DC::openDay(localDate(year, month, day)).value();
}

class CalendarPageTest : public MainScreenTest {
protected:
    // Starts the application afresh on the calendar page.
    void open(Date now) {
        host_.reset();
        delegate_.reset();
        launch(now);
        openPetal(MainPageKind::calendar);
    }
    CalendarGlobalController& page() const {
        return dynamic_cast<CalendarGlobalController&>(main().page(MainPageKind::calendar));
    }
    DayDetailsPanel& panel() const { return page().calBottomView(); }
    CalTileView& tile(int year, int month, int day) const {
        auto tile = page().calViewController().view()->gridView()->frontMonthView()->tileForDate(
            CalDate(unsigned(day), unsigned(month), unsigned(year)));
        EXPECT_TRUE(tile) << year << "-" << month << "-" << day << " is not on show";
        return *tile;
    }
    void tapDay(int year, int month, int day) { tapView(tile(year, month, day)); }
    double stripX() const { return main().mainScrollView().contentOffset().x; }
    NotesGlobalController& log() const {
        return dynamic_cast<NotesGlobalController&>(main().page(MainPageKind::notes));
    }
    // Where the mood pictures stand in the panel, "x,y".
    std::vector<std::string> moodPlaces() const {
        std::vector<std::string> frames;
        for (const auto& image : panel().moodImages()) {
            Rect frame = image->frame();
            frames.push_back(std::to_string(int(frame.minX())) + "," +
                             std::to_string(int(frame.minY())));
        }
        return frames;
    }
};

TEST_F(CalendarPageTest, EveryKindOfDayCarriesItsMarkAndTheFirstVisitExplainsThem) {
    logTwoPeriods();
    UserDefaults::standardUserDefaults()->setBool("calendarFirst", true);
    ASSERT_TRUE(DC::saveIntimate(1, dayId(2026, 2, 10)));
    ASSERT_TRUE(DC::saveNote("Long walk", dayId(2026, 2, 12), localDate(2026, 2, 12)));
    ASSERT_TRUE(DC::saveIntimate(1, dayId(2026, 2, 25)));
    ASSERT_TRUE(DC::saveUsedMood(1, dayId(2026, 2, 25)));
    open(localDate(2026, 2, 20, 12));
    EXPECT_TRUE(page().isInfo());
    EXPECT_EQ(page().calendarInfoView().alpha(), 1);
    tapView(page().calendarInfoView());
    EXPECT_FALSE(page().isInfo());
    EXPECT_EQ(page().calendarInfoView().alpha(), 0);

    struct Row {
        int day;
        bool period, fertile, ovulation, intimate, marked;
    };
    // Fertile: the eleven days after a period; ovulation 14 days after its start.
    const Row rows[] = {
        {3, true, false, false, false, false}, {7, false, true, false, false, false},
        {10, false, true, false, true, false}, {12, false, true, false, false, true},
        {16, false, true, true, false, false}, {20, false, false, false, false, false},
        {25, false, false, false, true, true}};
    for (const Row& row : rows) {
        CalTileView& day = tile(2026, 2, row.day);
        EXPECT_EQ(day.isPeriod(), row.period) << row.day;
        EXPECT_EQ(day.isFertile(), row.fertile) << row.day;
        EXPECT_EQ(day.isOvulation(), row.ovulation) << row.day;
        EXPECT_EQ(day.isIntimate(), row.intimate) << row.day;
        EXPECT_EQ(day.isMarked(), row.marked) << row.day;
        EXPECT_FALSE(day.isShaded()) << row.day;
    }
    // February 2026 fills four rows: the panel sits right under them.
    EXPECT_EQ(panel().frame().minY(), 265);
    keepScreenshot("calendar-marks");
}

// The details of a picked day, in both unit settings; what was never set
// shows nothing, and a day with nothing at all says so.
TEST_F(CalendarPageTest, APickedDayShowsItsDetailsInTheUnitSetting) {
    ASSERT_TRUE(DC::saveSi(1));
    int full = dayId(2026, 3, 5);
    for (int mood : {9, 2, 7, 1, 12, 5, 3}) {
        ASSERT_TRUE(DC::saveUsedMood(mood, full));
    }
    ASSERT_TRUE(DC::saveUsedSymptom(4, full));
    ASSERT_TRUE(DC::saveWeight(50, full));
    ASSERT_TRUE(DC::saveTemperature(37, full));
    ASSERT_TRUE(DC::saveNote("Tired after work", full, localDate(2026, 3, 5)));
    ASSERT_TRUE(DC::saveWeight(60, dayId(2026, 3, 6)));  // no temperature
    ASSERT_TRUE(DC::saveIntimate(0, dayId(2026, 3, 7))); // opened, nothing kept

    struct Case {
        int si;
        int day;
        std::string weight, temperature, note;
        size_t moods, symptoms;
        bool nothingLogged;
    };
    const Case cases[] = {
        {1, 5, "50.0 kg", "37.0 \u00B0C", "Tired after work", 4, 1, false},
        {0, 5, "110.2 lbs", "98.6 \u00B0F", "Tired after work", 4, 1, false},
        {1, 6, "60.0 kg", "", "", 0, 0, false},
        {0, 6, "132.3 lbs", "", "", 0, 0, false},
        {1, 7, "", "", "", 0, 0, true},
        {0, 8, "", "", "", 0, 0, true},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(std::to_string(row.si) + " on day " + std::to_string(row.day));
        ASSERT_TRUE(DC::saveSi(row.si));
        open(localDate(2026, 3, 10, 12));
        tapDay(2026, 3, row.day);
        EXPECT_EQ(panel().weightLbl().text(), row.weight);
        EXPECT_EQ(panel().tempLbl().text(), row.temperature);
        EXPECT_EQ(panel().textView().text(), row.note);
        EXPECT_FALSE(panel().textView().isEditable());
        EXPECT_EQ(panel().moodImages().size(), row.moods);
        EXPECT_EQ(panel().symptomImages().size(), row.symptoms);
        EXPECT_EQ(panel().nothingLoggedLbl().isHidden(), !row.nothingLogged);
        EXPECT_EQ(panel().weightLbl().isHidden(), row.nothingLogged);
        EXPECT_EQ(stripX(), 320); // a first pick only shows
    }
    // Seven moods: the first four by catalogue id, side by side.
    ASSERT_TRUE(DC::saveSi(1));
    open(localDate(2026, 3, 10, 12));
    tapDay(2026, 3, 5);
    EXPECT_EQ(moodPlaces(), (std::vector<std::string>{"188,25", "218,25", "248,25", "278,25"}));
    const char* firstFour[] = {"Happy.png", "Calm.png", "Energetic.png", "Confident.png"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(panel().moodImages()[i]->image() == Image::named(firstFour[i])) << i;
    }
    EXPECT_EQ(panel().symptomImages()[0]->frame().minY(), 72);
    keepScreenshot("calendar-details");
}

// The day key of a picked day lies within that local day in every zone, so
// the daily log opens on the day that was tapped twice.
class CalendarPageZones : public CalendarPageTest,
                          public ::testing::WithParamInterface<std::string> {};

TEST_P(CalendarPageZones, ASecondPickOfTheSameDayOpensItsDailyLog) {
    setTimeZone(GetParam());
    open(localDate(2026, 3, 10, 12));
    tapDay(2026, 3, 12);
    EXPECT_EQ(stripX(), 320);
    tapDay(2026, 3, 12);
    EXPECT_EQ(stripX(), 640);
    EXPECT_EQ(localDay(log().usedDate()), 20260312);
    EXPECT_FALSE(main().goToCalBtn().isHidden());

    // Back on the calendar, a month later: day 1 is picked and shown, and the
    // next touch on it is a first one. A future day opens like any other.
    tapView(main().goToCalBtn());
    EXPECT_EQ(stripX(), 320);
    tapView(*page().calViewController().view()->headerView()->rightArrow());
    EXPECT_EQ(localDay(page().calViewController().selectedDate()), 20260401);
    tapDay(2026, 4, 1);
    EXPECT_EQ(stripX(), 320);
    tapDay(2026, 4, 1);
    EXPECT_EQ(stripX(), 640);
    EXPECT_EQ(localDay(log().usedDate()), 20260401);
}

INSTANTIATE_TEST_SUITE_P(Zones, CalendarPageZones, ::testing::ValuesIn(dayRuleZones), zoneTestName);

TEST_F(CalendarPageTest, KeysMoveThePickedDayAndEnterOpensItsDailyLog) {
    ASSERT_TRUE(DC::saveSi(1));
    ASSERT_TRUE(DC::saveWeight(55, dayId(2026, 3, 18)));
    open(localDate(2026, 3, 10, 12));
    const std::pair<Key, int> moves[] = {
        {Key::right, 20260311}, {Key::down, 20260318},     {Key::left, 20260317},
        {Key::up, 20260310},    {Key::pageDown, 20260410}, {Key::pageUp, 20260310},
        {Key::down, 20260317},  {Key::right, 20260318},    {Key::pageUp, 20260218}};
    for (auto [key, day] : moves) {
        host().press(key);
        EXPECT_EQ(localDay(page().calViewController().selectedDate()), day);
        EXPECT_EQ(stripX(), 320);
        EXPECT_EQ(panel().weightLbl().text(), day == 20260318 ? "55.0 kg" : "") << day;
    }
    host().press(Key::enter);
    host().advance(1);
    EXPECT_EQ(stripX(), 640);
    EXPECT_EQ(localDay(log().usedDate()), 20260218);

    // Only the calendar page on show, with the panel up, hears them.
    host().press(Key::right);
    tapView(main().goToCalBtn());
    EXPECT_EQ(localDay(page().calViewController().selectedDate()), 20260218);
    main().statusBarTouch();
    host().advance(1);
    ASSERT_FALSE(main().isUp());
    host().press(Key::right);
    EXPECT_EQ(localDay(page().calViewController().selectedDate()), 20260218);
}

// What changes the diary while the page is open shows on it without leaving
// the page: a period written by another program (seen when the window is
// active again), a period from the centre button and a note typed in the
// daily log (seen on the way back with the calendar button).
TEST_F(CalendarPageTest, WhatChangesTheDiaryShowsOnTheOpenPage) {
    struct Change {
        const char* what;
        std::function<void()> make;
        int day;
        bool period, marked;
    };
    const Change changes[] = {
        {"another program",
         [this] {
             ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 2), localDate(2026, 3, 4)));
             host().application().deactivate();
             host().application().activate();
             host().advance(1);
         },
         3, true, false},
        {"centre button",
         [] {
             ASSERT_TRUE(DiaryActions::logPeriodDay(PeriodEntry::Mode::start, localDate(2026, 3, 8),
                                                    localDate(2026, 3, 10, 12))
                             .saved());
         },
         8, true, false},
        {"daily log",
         [this] {
             tapDay(2026, 3, 5);
             tapDay(2026, 3, 5);
             tapView(log().noteView());
             host().type("Slept badly");
             tapView(main().goToCalBtn());
             EXPECT_EQ(panel().textView().text(), "Slept badly");
         },
         5, false, true},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        open(localDate(2026, 3, 10, 12));
        EXPECT_FALSE(tile(2026, 3, change.day).isPeriod());
        EXPECT_FALSE(tile(2026, 3, change.day).isMarked());
        change.make();
        EXPECT_EQ(stripX(), 320);
        EXPECT_EQ(tile(2026, 3, change.day).isPeriod(), change.period);
        EXPECT_EQ(tile(2026, 3, change.day).isMarked(), change.marked);
    }
}

TEST_F(CalendarPageTest, OtherProgramsChangesAreLookedForOnlyWhileTheWindowShows) {
    open(localDate(2026, 3, 10, 12));
    auto writeElsewhere = [](int day) {
        std::thread([day] {
            EXPECT_TRUE(DC::saveLog(localDate(2026, 3, day), localDate(2026, 3, day + 1)));
        }).join();
    };
    host().advance(3 * DiaryWatch::interval);
    int before = diaryChanges();
    host().application().enterBackground();
    writeElsewhere(2);
    host().advance(3 * DiaryWatch::interval);
    EXPECT_EQ(diaryChanges(), before);
    host().application().activate();
    host().advance(1);
    EXPECT_TRUE(tile(2026, 3, 2).isPeriod()) << "the activation reads it";
    before = diaryChanges();
    writeElsewhere(5);
    host().advance(DiaryWatch::interval);
    EXPECT_EQ(diaryChanges(), before + 1);
    EXPECT_TRUE(tile(2026, 3, 5).isPeriod());
    host().advance(3 * DiaryWatch::interval);
    EXPECT_EQ(diaryChanges(), before + 1) << "told once";
}

} // namespace
