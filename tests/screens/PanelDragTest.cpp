// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/PanelDrag.h"

#include "MainScreenTest.h"
#include "ui/Button.h"
#include "ui/Label.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

// The drag rules on their own, row by row: where the finger goes down, where
// it moves and where it is lifted (main-view points), and the outcome.
TEST(PanelDragRules, Table) {
    struct Case {
        const char* name;
        bool up;
        Point down, moveTo, lift;
        std::optional<double> followedTo; // the panel centre's y while moving
        PanelDrag::Release release;
    };
    const Case cases[] = {
        {"down: a drag starting above 430 does not move the panel",
         false,
         {160, 425},
         {160, 300},
         {160, 300},
         std::nullopt,
         PanelDrag::Release::raise},
        {"down: from the dock's bar the panel follows",
         false,
         {160, 450},
         {160, 300},
         {160, 300},
         510,
         PanelDrag::Release::raise},
        {"down: a short pull stays down",
         false,
         {160, 450},
         {160, 400},
         {160, 400},
         610,
         PanelDrag::Release::lower},
        {"down: lifted in the band 420-480 always raises",
         false,
         {160, 445},
         {160, 440},
         {160, 440},
         655,
         PanelDrag::Release::raise},
        {"up: dragged down past 300 lowers",
         true,
         {200, 30},
         {200, 200},
         {200, 200},
         404,
         PanelDrag::Release::lower},
        {"up: a short pull snaps back up",
         true,
         {200, 30},
         {200, 80},
         {200, 80},
         284,
         PanelDrag::Release::raise},
        {"up: the band ends at 235",
         true,
         {200, 30},
         {200, 10},
         {200, 10},
         std::nullopt,
         PanelDrag::Release::lower},
        {"up: a drag below the top bar does nothing to the panel",
         true,
         {200, 100},
         {200, 300},
         {200, 300},
         std::nullopt,
         PanelDrag::Release::lower},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelDrag drag;
        Point center{160, c.up ? 234.0 : 660.0};
        drag.began(c.down, center, c.up);
        auto followed = drag.moved(c.moveTo, c.up);
        EXPECT_EQ(followed.has_value(), c.followedTo.has_value());
        if (followed && c.followedTo) {
            EXPECT_EQ(followed->y, *c.followedTo);
            EXPECT_EQ(followed->x, 160);
        }
        EXPECT_EQ(drag.ended(c.lift), c.release);
        EXPECT_FALSE(drag.isMoving());
        EXPECT_FALSE(drag.wantsUp());
        EXPECT_FALSE(drag.wantsDown());
    }
}

TEST(PanelDragRules, TapsOnTheTopBar) {
    PanelDrag drag;
    drag.began({200, 20}, {160, 234}, true);
    EXPECT_EQ(drag.ended({200, 20}), PanelDrag::Release::lower);
    drag.began({100, 20}, {160, 234}, true);
    EXPECT_EQ(drag.ended({100, 20}), PanelDrag::Release::none);
    drag.began({100, 450}, {160, 660}, false);
    EXPECT_EQ(drag.ended({100, 450}), PanelDrag::Release::raise);
}

class PanelDragScreenTest : public MainScreenTest {
protected:
    void drag(Point from, Point to) {
        host().input().down(1, inWindow(from));
        host().input().move(1, inWindow({from.x, (from.y + to.y) / 2}));
        host().input().move(1, inWindow(to));
        moved = main().infoView().center();
        host().input().up(1, inWindow(to));
        host().advance(1);
    }
    Point moved;
};

TEST_F(PanelDragScreenTest, TheDockRaisesThePanelAndTheTopBarLowersIt) {
    launch();
    drag({160, 450}, {160, 300});
    EXPECT_EQ(moved, (Point{160, 510}));
    EXPECT_TRUE(main().isUp());
    EXPECT_EQ(main().infoView().center(), (Point{160, 234}));
    EXPECT_FALSE(main().menuLbl().isHidden());
    EXPECT_DOUBLE_EQ(main().flowerView().alpha(), 0);

    drag({200, 20}, {200, 250});
    EXPECT_EQ(moved, (Point{160, 464}));
    EXPECT_FALSE(main().isUp());
    EXPECT_EQ(main().infoView().center(), (Point{160, 660}));
    EXPECT_DOUBLE_EQ(main().flowerView().alpha(), 1);

    host().tap(inWindow({160, 450}));
    host().advance(1);
    EXPECT_TRUE(main().isUp());
    host().tap(inWindow({200, 20}));
    host().advance(1);
    EXPECT_FALSE(main().isUp());
}

TEST_F(PanelDragScreenTest, AFingerOnTheFlowerDoesNotMoveThePanel) {
    launch();
    host().input().down(1, inWindow({20, 425}));
    host().input().move(1, inWindow({20, 380}));
    EXPECT_EQ(main().infoView().center(), (Point{160, 660}));
    host().input().up(1, inWindow({20, 380}));
}

TEST_F(PanelDragScreenTest, TouchesEndWithoutEffectWhileACalendarIsUp) {
    launch();
    main().setCenterCalendarUp(true);
    host().tap(inWindow({160, 450}));
    host().advance(1);
    EXPECT_FALSE(main().isUp());
    main().setCenterCalendarUp(false);

    main().summaryCalendarView().setFrame(Rect(0, 0, 320, 460));
    host().tap(inWindow({160, 450}));
    host().advance(1);
    EXPECT_FALSE(main().isUp());
}

TEST_F(PanelDragScreenTest, TouchesAreIgnoredWhileTheHelpIsShown) {
    launch();
    main().mainInfoClicked();
    host().advance(0.5);
    EXPECT_TRUE(main().isInfo());
    host().tap(inWindow({160, 450}));
    host().advance(0.6);
    EXPECT_FALSE(main().isUp());
    EXPECT_FALSE(main().isInfo());
    EXPECT_DOUBLE_EQ(main().mainInfoView().alpha(), 0);
}

TEST_F(PanelDragScreenTest, AStatusBarTapLowersThePanel) {
    launch();
    openPetal(MainPageKind::calendar);
    host().tap({160, 10});
    host().advance(0.5);
    EXPECT_FALSE(main().isUp());
    EXPECT_EQ(main().infoView().center(), (Point{160, 660}));

    // Not while the go-to-calendar button is on show.
    openPetal(MainPageKind::calendar);
    main().scrollToNotesWithDate(Date(0));
    host().tap({160, 10});
    host().advance(0.5);
    EXPECT_TRUE(main().isUp());
}

} // namespace
