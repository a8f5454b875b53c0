// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Format.h"
#include "foundation/Strings.h"
#include "foundation/UserDefaults.h"
#include "graphics/Image.h"
#include "screens/CustomPetalView.h"
#include "storage/DatabaseController.h"
#include "ui/AnimationGroup.h"
#include "ui/BasicAnimation.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"

#include <set>

using namespace florelle;
using namespace florelle::testing;

namespace {

class PetalTest : public MainScreenTest {};

// Each petal: its open animation, the page title and the strip's offset.
TEST_F(PetalTest, EachPetalOpensItsPage) {
    struct Case {
        MainPageKind kind;
        const char* title;
        double pageX;
        Point target; // where the petal grows to, in the flower
    };
    const Case cases[] = {
        {MainPageKind::charts, "Charts Key", 0, {140, 260}},
        {MainPageKind::notes, "Notes Key", 640, {40, 210}},
        {MainPageKind::calendar, "Calendar Key", 320, {70, 100}},
        {MainPageKind::summary, "Summary Key", 960, {150, 30}},
        {MainPageKind::forum, "Forum Key", 1280, {270, 110}},
        {MainPageKind::settings, "Settings Key", 1600, {260, 240}},
    };
    launch();
    for (const Case& c : cases) {
        const PetalRow& row = PetalTable::row(c.kind);
        SCOPED_TRACE(row.captionKey);
        CustomPetalView& petal = main().petalView(c.kind);
        host().input().down(1, petalPoint(c.kind));
        EXPECT_EQ(petal.petalImg(), Image::named(format(row.selectedPicture, 0)));
        host().input().up(1, petalPoint(c.kind));

        auto group = std::dynamic_pointer_cast<AnimationGroup>(
            petal.animationForKey(format("groupAnim%d", row.number)));
        ASSERT_TRUE(group);
        EXPECT_DOUBLE_EQ(group->duration(), 0.6);
        EXPECT_FALSE(group->isRemovedOnCompletion());
        host().advance(0.3);
        EXPECT_GT(petal.presentationBounds().size.width, 120);
        host().advance(0.2999);
        Rect grown = petal.presentationBounds();
        EXPECT_NEAR(grown.size.width, 900, 1);
        EXPECT_NEAR(petal.presentationCenter().x, c.target.x, 1);
        EXPECT_NEAR(petal.presentationCenter().y, c.target.y, 1);
        EXPECT_FALSE(main().isUp());

        host().advance(0.5);
        EXPECT_TRUE(main().isUp());
        EXPECT_TRUE(petal.animationForKey("return"));
        EXPECT_EQ(main().flowerView().subviews().front().get(), &petal);
        EXPECT_EQ(main().menuLbl().text(), Strings::localized(c.title));
        EXPECT_FALSE(main().menuLbl().isHidden());
        EXPECT_EQ(main().mainScrollView().contentOffset(), (Point{c.pageX, 0}));
        EXPECT_EQ(main().infoView().center(), (Point{160, 234}));
        EXPECT_DOUBLE_EQ(main().infoView().presentationAlpha(), 1);
        EXPECT_DOUBLE_EQ(main().flowerView().presentationAlpha(), 0);
        EXPECT_DOUBLE_EQ(main().infoLbl().alpha(), 0);
        EXPECT_FALSE(main().petalButton(c.kind).isEnabled());
        EXPECT_EQ(main().openedPetal(), row.number);
        EXPECT_EQ(main().dockView().image(), Image::named("dock_up_0.png"));

        main().bringInfoDown();
        host().advance(0.5);
        EXPECT_EQ(main().infoView().center(), (Point{160, 660}));
        EXPECT_EQ(petal.petalImg(), Image::named(format(row.normalPicture, 0)));
        EXPECT_EQ(main().dockView().image(), Image::named("dock_0.png"));
        EXPECT_TRUE(main().petalButton(c.kind).isEnabled());
        EXPECT_DOUBLE_EQ(main().infoLbl().alpha(), 1);
        // The panel is lowered by hand, so the next open starts from rest.
        main().newDown();
    }
}

TEST_F(PetalTest, HoldingMovesThePetalOutAndLettingGoBringsItBack) {
    launch();
    CustomPetalView& petal = main().petalView(MainPageKind::calendar);
    Point rest = PetalTable::row(MainPageKind::calendar).restingCenter();
    Point from = petalPoint(MainPageKind::calendar);
    host().input().down(1, from);
    host().advance(0.5);
    EXPECT_EQ(petal.presentationCenter(), (Point{rest.x + 20, rest.y + 10}));
    EXPECT_EQ(petal.petalImg(), Image::named("petal_calendar_selected_0.png"));
    // Far enough off the button to leave it.
    host().input().move(1, {from.x - 200, from.y + 150});
    host().advance(0.5);
    EXPECT_EQ(petal.presentationCenter(), rest);
    EXPECT_EQ(petal.petalImg(), Image::named("petal_calendar_0.png"));
    host().input().up(1, {from.x - 200, from.y + 150});
    host().advance(1);
    EXPECT_FALSE(main().isUp());
}

TEST_F(PetalTest, OnAnOldPlatformAHeldPetalOnlyChangesItsPicture) {
    launch();
    main().setOldOS(true);
    CustomPetalView& petal = main().petalView(MainPageKind::forum);
    host().input().down(1, petalPoint(MainPageKind::forum));
    host().advance(0.5);
    EXPECT_EQ(petal.presentationCenter(), PetalTable::row(MainPageKind::forum).restingCenter());
    EXPECT_EQ(petal.petalImg(), Image::named("petal_forum_selected_0.png"));
    EXPECT_TRUE(petal.animationKeys().empty());
    // The finger is still down when the application ends.
}

TEST_F(PetalTest, OpeningTellsThePageWhatToPrepare) {
    launch();
    RecordingPage& charts = record(MainPageKind::charts);
    RecordingPage& notes = record(MainPageKind::notes);
    RecordingPage& calendar = record(MainPageKind::calendar);
    RecordingPage& summary = record(MainPageKind::summary);
    RecordingPage& forum = record(MainPageKind::forum);

    openPetal(MainPageKind::charts);
    EXPECT_EQ(charts.calls, (std::vector<std::string>{"changePeriodModeTo 0", "reloadGraph"}));
    main().bringInfoDown();
    host().advance(0.5);

    openPetal(MainPageKind::notes);
    EXPECT_TRUE(notes.called("makeUsedDate 2026-03-01 23:59:59"));
    main().bringInfoDown();
    host().advance(0.5);
    EXPECT_TRUE(notes.called("keyboardDownClicked"));
    EXPECT_TRUE(notes.called("scrollToLeft"));
    EXPECT_TRUE(notes.called("dismissInfoView"));

    openPetal(MainPageKind::calendar);
    EXPECT_TRUE(calendar.called("setLastSelectedDate epoch"));
    EXPECT_TRUE(calendar.called("setCalendarWithDate 2026-03-01 23:59:59"));
    main().bringInfoDown();
    host().advance(0.5);

    openPetal(MainPageKind::summary);
    EXPECT_TRUE(summary.called("reloadEverything"));
    main().bringInfoDown();
    host().advance(0.5);

    openPetal(MainPageKind::forum);
    EXPECT_TRUE(forum.called("checkConnectivity"));
}

TEST_F(PetalTest, TheSettingsPageKeepsItsBackButtonWhileASubScreenIsOn) {
    launch();
    main().setLock(true);
    openPetal(MainPageKind::settings);
    EXPECT_FALSE(main().goBack().isHidden());
    RecordingPage& settings = record(MainPageKind::settings);
    host().tap(MainScreenTest::inWindow(main().infoView().convertPoint({34, 15}, &*main().view())));
    EXPECT_TRUE(settings.called("popController"));
    main().bringInfoDown();
    main().setLock(false);
    host().advance(0.5);
    openPetal(MainPageKind::settings);
    EXPECT_TRUE(main().goBack().isHidden());
}

// The first-use hint shows once per page: the hint label for charts, forum
// and settings, the page's own help for the others.
TEST_F(PetalTest, FirstUseHintsShowOncePerPage) {
    launch();
    main().setDefaults();
    RecordingPage& notes = record(MainPageKind::notes);
    Label& hint = main().firstUseLbl();

    openPetal(MainPageKind::charts);
    EXPECT_DOUBLE_EQ(hint.alpha(), 1);
    EXPECT_EQ(hint.frame().minY(), 7);
    EXPECT_EQ(main().menuLbl().frame().minY(), -58);
    EXPECT_FALSE(UserDefaults::standardUserDefaults()->boolForKey("chartsFirst"));
    host().advance(3);
    EXPECT_EQ(hint.frame().minY(), -100);
    EXPECT_EQ(main().menuLbl().frame().minY(), -8);
    main().bringInfoDown();
    host().advance(0.5);

    openPetal(MainPageKind::charts);
    EXPECT_EQ(hint.frame().minY(), -100);
    EXPECT_DOUBLE_EQ(hint.alpha(), 0);
    main().bringInfoDown();
    host().advance(0.5);

    openPetal(MainPageKind::notes);
    EXPECT_TRUE(notes.called("infoBtnClicked"));
    EXPECT_EQ(hint.frame().minY(), -100);
    main().bringInfoDown();
    host().advance(0.5);
    notes.calls.clear();
    openPetal(MainPageKind::notes);
    EXPECT_FALSE(notes.called("infoBtnClicked"));
}

} // namespace

// The launch builds the flower alone; a page is built when it is first shown,
// opened from its petal or raised with the panel, and sits on the strip.
TEST_F(PetalTest, APageIsBuiltWhenFirstShown) {
    launch();
    auto built = [this] {
        std::set<MainPageKind> kinds;
        for (const PetalRow& row : PetalTable::rows()) {
            if (main().page(row.page).isViewLoaded()) {
                kinds.insert(row.page);
            }
        }
        return kinds;
    };
    EXPECT_TRUE(built().empty());

    openPetal(MainPageKind::charts);
    EXPECT_EQ(built(), std::set<MainPageKind>{MainPageKind::charts});
    View& charts = *main().page(MainPageKind::charts).view();
    EXPECT_EQ(charts.superview(), &main().mainScrollView());
    EXPECT_EQ(charts.frame().origin, (Point{0, 0}));

    main().bringInfoDown();
    host().advance(0.5);
    main().mainScrollView().setContentOffset({640, 0}, false);
    main().bringInfoUp();
    host().advance(0.5);
    EXPECT_EQ(built(), (std::set<MainPageKind>{MainPageKind::charts, MainPageKind::notes}));
    EXPECT_EQ(main().page(MainPageKind::notes).view()->superview(), &main().mainScrollView());
}
