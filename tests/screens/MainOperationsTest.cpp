// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/ActivityIndicator.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

class MainOperationsTest : public MainScreenTest {};

TEST_F(MainOperationsTest, TheCloudDriftsLeftAndStartsAgainFromTheRight) {
    launch();
    View& cloud = main().cloudView();
    EXPECT_EQ(cloud.presentationFrame().minX(), 50);
    host().advance(12.5);
    EXPECT_NEAR(cloud.presentationFrame().minX(), (50 - 265) / 2.0, 1);
    host().advance(12.5);
    EXPECT_NEAR(cloud.presentationFrame().minX(), 320, 1);
    host().advance(12.5);
    EXPECT_NEAR(cloud.presentationFrame().minX(), (320 - 265) / 2.0, 1);
    // Lowering the raised panel starts the drift again from its place.
    openPetal(MainPageKind::summary);
    main().bringInfoDown();
    EXPECT_EQ(cloud.frame(), Rect(-265, -20, 265, 112));
    EXPECT_NEAR(cloud.presentationFrame().minX(), 50, 1);
}

TEST_F(MainOperationsTest, TheHintTimerPutsTheLabelsBack) {
    launch();
    Label& hint = main().firstUseLbl();
    main().switchFirtsUseLbls(-1);
    main().switchFirtsUseLbls(-1);
    EXPECT_EQ(hint.frame().minY(), 7);
    EXPECT_EQ(main().menuLbl().frame().minY(), -58);
    main().activateFirstAnimTmr();
    host().advance(2.9);
    EXPECT_EQ(hint.frame().minY(), 7);
    host().advance(0.2);
    EXPECT_EQ(hint.frame().minY(), -100);
    EXPECT_EQ(main().menuLbl().frame().minY(), -8);
    // Lowering the panel stops a waiting timer and parks the hint at once.
    main().switchFirtsUseLbls(-1);
    main().activateFirstAnimTmr();
    main().makeAnimWithSwitchingLbls();
    EXPECT_EQ(hint.frame(), Rect(45, -100, 230, 20));
    EXPECT_DOUBLE_EQ(hint.alpha(), 0);
    host().advance(4);
    EXPECT_EQ(hint.frame().minY(), -100);
}

TEST_F(MainOperationsTest, TheVeilShowsTheBusyIndicatorOnRequest) {
    launch();
    main().changeTranspView(0.8, true);
    host().advance(0.4);
    EXPECT_NEAR(main().bigTranspView().presentationAlpha(), 0.8, 1e-9);
    EXPECT_TRUE(main().indicatorView().isAnimating());
    main().changeTranspView(0, false);
    host().advance(0.4);
    EXPECT_DOUBLE_EQ(main().bigTranspView().presentationAlpha(), 0);
    EXPECT_FALSE(main().indicatorView().isAnimating());
}

TEST_F(MainOperationsTest, MovingBetweenTheCalendarAndTheDailyLog) {
    launch();
    RecordingPage& notes = record(MainPageKind::notes);
    openPetal(MainPageKind::calendar);
    main().scrollToNotesWithDate(localDate(2026, 2, 10));
    host().advance(0.5);
    EXPECT_FALSE(main().goToCalBtn().isHidden());
    EXPECT_TRUE(notes.called("makeUsedDate 2026-02-10 00:00:00"));
    EXPECT_TRUE(notes.called("scrollToLeft"));
    EXPECT_EQ(main().mainScrollView().contentOffset(), (Point{640, 0}));

    host().tap(inWindow(main().infoView().convertPoint({50, 14}, &*main().view())));
    host().advance(0.5);
    EXPECT_TRUE(main().goToCalBtn().isHidden());
    EXPECT_TRUE(notes.called("keyboardDownClicked"));
    EXPECT_TRUE(notes.called("reloadCalendar"));
    EXPECT_EQ(main().mainScrollView().contentOffset(), (Point{320, 0}));
}

TEST_F(MainOperationsTest, ForwardingReachesThePages) {
    launch();
    RecordingPage& calendar = record(MainPageKind::calendar);
    RecordingPage& summary = record(MainPageKind::summary);
    RecordingPage& settings = record(MainPageKind::settings);
    RecordingPage& notes = record(MainPageKind::notes);

    main().reloadCalendarDataForDate(localDate(2026, 2, 3, 23, 59, 59));
    EXPECT_TRUE(calendar.called("setCalendarWithDate 2026-02-03 23:59:59"));
    main().reloadInfoForDate(localDate(2026, 4, 1));
    EXPECT_TRUE(calendar.called("setCalendarWithDate 2026-04-01 23:59:59"));
    EXPECT_TRUE(calendar.called("setLastSelectedDate epoch"));
    main().refreshGlobalCalendar();
    EXPECT_TRUE(calendar.called("setCalendarWithDate 2026-03-01 12:00:00"));

    main().setNotification(0, 3);
    EXPECT_TRUE(settings.called("setNotification 0 3"));
    main().dismissInfoViews();
    EXPECT_TRUE(notes.called("dismissInfoView"));
    EXPECT_TRUE(calendar.called("dismissInfoView"));
    EXPECT_TRUE(summary.called("dismissInfoView"));

    main().enableButtons(false);
    for (const PetalRow& row : PetalTable::rows()) {
        EXPECT_FALSE(main().petalButton(row.page).isEnabled());
    }
    main().backBtnHidden(false);
    EXPECT_FALSE(main().goBack().isHidden());
}

TEST_F(MainOperationsTest, AModalScreenComesAndGoesOverTheRaisedPanel) {
    launch();
    openPetal(MainPageKind::settings);
    auto modal = std::make_shared<ViewController>();
    main().presentModalController(modal);
    host().advance(0.5);
    EXPECT_EQ(main().modalViewController(), modal.get());
    main().dismissModalController();
    host().advance(2);
    EXPECT_EQ(main().modalViewController(), nullptr);
    EXPECT_TRUE(main().isUp());
}

TEST_F(MainOperationsTest, TheCentreButtonShowsItsShadowWhileHeld) {
    launch();
    Rect flower = main().flowerView().frame();
    Point center = inWindow({flower.minX() + 150, flower.minY() + 165});
    host().input().down(1, center);
    EXPECT_FALSE(main().centerShadowView().isHidden());
    host().input().up(1, center);
    EXPECT_TRUE(main().centerShadowView().isHidden());
}

} // namespace
