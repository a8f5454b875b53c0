// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Locale.h"
#include "foundation/UserDefaults.h"
#include "graphics/Image.h"
#include "screens/CustomPetalView.h"
#include "screens/SkinColors.h"
#include "storage/DatabaseController.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

bool near(const Color& a, const Color& b) {
    auto close = [](double x, double y) { return std::abs(x - y) < 0.002; };
    return close(a.redComponent(), b.redComponent()) &&
           close(a.greenComponent(), b.greenComponent()) &&
           close(a.blueComponent(), b.blueComponent()) && close(a.alpha(), b.alpha());
}

class SkinAndSetupTest : public MainScreenTest {};

TEST_F(SkinAndSetupTest, EachSkinSwapsPicturesAndColours) {
    struct Case {
        int skin;
        Color today, center, petal;
    };
    const Case cases[] = {
        {0, {0.941, 0.980, 1.0}, {0.737, 0.275, 0.475, 0.9}, {0.537, 0.067, 0.271, 0.8}},
        {1, {0.929, 0.969, 0.890}, {0.203, 0.200, 0.200, 0.9}, {0.220, 0.239, 0.255, 0.8}},
        {2, {0.941, 0.980, 1.0}, {0.196, 0.310, 0.522, 0.9}, {0.196, 0.309, 0.521, 0.8}},
    };
    launch();
    RecordingPage& settings = record(MainPageKind::settings);
    RecordingPage& charts = record(MainPageKind::charts);
    RecordingPage& summary = record(MainPageKind::summary);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.skin);
        main().setNewSkin(c.skin);
        std::string n = std::to_string(c.skin);
        EXPECT_EQ(main().getNewSkin(), c.skin);
        EXPECT_EQ(DC::getSkin(), c.skin);
        EXPECT_EQ(main().backgroundView().image(), Image::named("bg_" + n + ".jpg"));
        EXPECT_EQ(main().dockView().image(), Image::named("dock_" + n + ".png"));
        EXPECT_EQ(main().cloudView().picture().image(), Image::named("cloud_" + n + ".png"));
        EXPECT_EQ(main().centerImgView().image(), Image::named("center0_" + n + ".png"));
        EXPECT_EQ(main().goBack().backgroundImageForState(controlStateNormal),
                  Image::named("back_button_" + n + ".png"));
        EXPECT_EQ(main().goToCalBtn().backgroundImageForState(controlStateNormal),
                  Image::named("calendar_button_" + n + ".png"));
        for (const PetalRow& row : PetalTable::rows()) {
            EXPECT_EQ(main().petalView(row.page).petalImg(),
                      Image::named(PetalTable::picture(row.normalPicture, c.skin)));
            EXPECT_EQ(main().petalView(row.page).skin(), c.skin);
        }
        EXPECT_TRUE(near(main().infoLbl().textColor(), c.today));
        EXPECT_TRUE(near(main().titleLbl().textColor(), c.center));
        EXPECT_TRUE(near(main().remainingDaysLbl().textColor(), c.center));
        EXPECT_TRUE(near(SkinColors::forSkin(c.skin).petalCaption, c.petal));
        EXPECT_TRUE(settings.called("reloadTables"));
        EXPECT_TRUE(charts.called("reloadButtons"));
        EXPECT_TRUE(summary.called("setSkin " + n));
    }
    // A raised panel keeps its raised dock.
    main().bringInfoUp();
    main().setNewSkin(1);
    EXPECT_EQ(main().dockView().image(), Image::named("dock_up_1.png"));
}

TEST_F(SkinAndSetupTest, TheStoredSkinIsShownAtStart) {
    ASSERT_TRUE(DC::saveSkin(2));
    launch();
    EXPECT_EQ(main().getNewSkin(), 2);
    EXPECT_EQ(main().backgroundView().image(), Image::named("bg_2.jpg"));
}

TEST_F(SkinAndSetupTest, FirstRunSetsTheHintsAndUnitsFromTheLocale) {
    struct Case {
        const char* locale;
        int units;
    };
    const Case cases[] = {{"en_US", 0}, {"de_DE", 1}, {"en_GB", 1}, {"en", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        TearDown();
        SetUp();
        Locale::setCurrent(c.locale);
        ASSERT_TRUE(DC::saveFirstTimeOn(1));
        ASSERT_TRUE(DC::saveSi(7));
        launch();
        EXPECT_EQ(DC::getSi(), c.units);
        auto defaults = UserDefaults::standardUserDefaults();
        for (const char* key : {"mainFirst", "chartsFirst", "noteFirst", "calendarFirst",
                                "summaryFirst", "forumFirst", "settingsFirst"}) {
            EXPECT_TRUE(defaults->boolForKey(key)) << key;
        }
        EXPECT_FALSE(main().lock());
        Locale::setCurrent(std::nullopt);
    }
}

TEST_F(SkinAndSetupTest, LaterRunsKeepTheUnitsAndPassThemToTheDailyLog) {
    Locale::setCurrent("en_US");
    ASSERT_TRUE(DC::saveSi(1));
    launch();
    EXPECT_EQ(DC::getSi(), 1);
    EXPECT_FALSE(UserDefaults::standardUserDefaults()->boolForKey("chartsFirst"));
    RecordingPage& notes = record(MainPageKind::notes);
    main().setSi(0);
    EXPECT_TRUE(notes.called("setSi 0"));
    Locale::setCurrent(std::nullopt);
}

TEST_F(SkinAndSetupTest, ThePetalsCarryTheirCaptions) {
    launch();
    for (const PetalRow& row : PetalTable::rows()) {
        CustomPetalView& petal = main().petalView(row.page);
        EXPECT_EQ(petal.tag(), row.number * 100);
        EXPECT_EQ(petal.frame(), row.frame);
        EXPECT_EQ(petal.lblRect().minY(), row.captionAnchor.y);
        EXPECT_EQ(petal.lblRect().size, (Size{100, 20}));
        EXPECT_TRUE(main().petalButton(row.page).isExclusiveTouch());
    }
}

} // namespace
