// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Clock.h"
#include "foundation/Strings.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "graphics/TextLayout.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

class TodayOnScreenTest : public MainScreenTest {};

// Each row: the diary, today, and what the flower and the cloud show.
TEST_F(TodayOnScreenTest, StatusTextsPictureAndCountdown) {
    struct Case {
        const char* name;
        std::function<StoreStatus()> diary;
        int day; // of March 2026, at 12:00
        std::string cloud;
        std::string picture;
        std::string number;
        std::string caption;
    };
    const std::vector<Case> cases = {
        {"no period", [] { return StoreStatus(); }, 1, t("Select your start date Key"),
         "center0_0.png", "–", ""},
        {"due today", [] { return DC::saveLog(localDate(2026, 2, 1), localDate(2026, 2, 5)); }, 1,
         t("Select your start date Key"), "center0_0.png", "0", "days left"},
        {"one day late", [] { return DC::saveLog(localDate(2026, 1, 31), localDate(2026, 2, 4)); },
         1, "Period is 1 day late!", "center0_0.png", "0", "days left"},
        {"ovulation day", [] { return DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)); },
         15, t("It's your ovulation day Key"), "center1_0.png", "14", "days left"},
        {"fertile window", [] { return DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)); },
         4, t("Your fertile window is active Key"), "center1_0.png", "25", "days left"},
        {"regular day", [] { return DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)); },
         28, t("Regular day Key"), "center0_0.png", "1", "day left"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        ASSERT_TRUE(c.diary());
        launch(localDate(2026, 3, c.day, 12));
        EXPECT_EQ(main().infoLbl().text(), c.cloud);
        EXPECT_EQ(main().centerImgView().image(), Image::named(c.picture));
        EXPECT_EQ(main().remainingDaysLbl().text(), c.number);
        EXPECT_EQ(main().remainingDaysLbl().font().size(), 48);
        EXPECT_EQ(main().titleLbl().text(), c.caption);
        EXPECT_EQ(main().titleLbl().frame().origin, (Point{87, 175}));
        EXPECT_TRUE(main().centerButton().isEnabled());
    }
}

TEST_F(TodayOnScreenTest, AnOpenPeriodShowsItsDayAndAsksWhetherItEnded) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 1)));
    ASSERT_TRUE(DC::saveIsStartDate(0));
    launch(localDate(2026, 3, 3, 9));
    EXPECT_EQ(main().infoLbl().text(), t("Period day Key") + " 3");
    EXPECT_EQ(main().centerImgView().image(), Image::named("center2_0.png"));
    EXPECT_EQ(main().remainingDaysLbl().text(), t("Period Key"));
    EXPECT_EQ(main().remainingDaysLbl().font().size(), 30);
    EXPECT_EQ(main().titleLbl().text(), t("(ended?) Key"));
    EXPECT_EQ(main().titleLbl().font().size(), 13);
    EXPECT_EQ(main().titleLbl().frame().origin, (Point{87, 160}));
}

TEST_F(TodayOnScreenTest, PregnancyCountsDownToBirth) {
    struct Case {
        double secondsLater;
        std::string number;
        std::string caption;
    };
    const double day = 86400;
    const std::vector<Case> cases = {
        {60, "280", "Days to birth!"},
        {279 * day + 60, "1", "Day to birth!"},
        {280 * day + 60, "0", "Days to birth!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        TearDown();
        SetUp();
        clock_->set(Date(utcSeconds(2026, 3, 1, 12)));
        ASSERT_TRUE(DC::savePregnant(1, Clock::current()->now()));
        launch(Date(utcSeconds(2026, 3, 1, 12) + c.secondsLater));
        EXPECT_EQ(main().remainingDaysLbl().text(), c.number);
        EXPECT_EQ(main().titleLbl().text(), c.caption);
        EXPECT_EQ(main().titleLbl().font().size(), 16);
        EXPECT_EQ(main().infoLbl().text(), "");
        EXPECT_FALSE(main().centerButton().isEnabled());
    }
}

TEST_F(TodayOnScreenTest, SwitchingPregnancyOffShowsTheCycleAgain) {
    ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
    ASSERT_TRUE(DC::savePregnant(1, Clock::current()->now()));
    launch(localDate(2026, 3, 4, 12));
    main().usePregnancyMode(false);
    EXPECT_TRUE(main().centerButton().isEnabled());
    EXPECT_EQ(main().infoLbl().text(), t("Your fertile window is active Key"));
    EXPECT_EQ(main().remainingDaysLbl().text(), "25");
}

// The cloud wraps its text to two lines exactly when it is wider than 220
// points in bold 15.
TEST_F(TodayOnScreenTest, TheCloudTakesTwoLinesForAWideText) {
    launch();
    const Label& cloud = main().infoLbl();
    double width = TextLayout(cloud.text(), Font::boldSystemFont(15)).size().width;
    ASSERT_GT(width, 220) << cloud.text();
    EXPECT_EQ(cloud.frame(), Rect(20, 45, 225, 35));
    EXPECT_EQ(cloud.numberOfLines(), 2);

    ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 10), localDate(2026, 2, 14)));
    main().calculateInfoLbl();
    width = TextLayout(cloud.text(), Font::boldSystemFont(15)).size().width;
    ASSERT_LE(width, 220) << cloud.text();
    EXPECT_EQ(cloud.frame(), Rect(20, 40, 225, 25));
    EXPECT_EQ(cloud.numberOfLines(), 1);
}

TEST_F(TodayOnScreenTest, ActivationRefreshesTodayAndTheCalendarPage) {
    launch();
    RecordingPage& calendar = record(MainPageKind::calendar);
    ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
    main().reloadForToday();
    EXPECT_EQ(main().infoLbl().text(), t("Your fertile window is active Key"));
    // The strip shows the daily log page from the start: not the first page.
    EXPECT_TRUE(calendar.called("setCalendarWithDate 2026-03-01 23:59:59"));
    EXPECT_TRUE(calendar.called("setLastSelectedDate epoch"));
}

} // namespace
