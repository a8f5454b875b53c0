// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "calendar/CalHeaderView.h"
#include "calendar/CalView.h"
#include "calendar/CalViewController.h"
#include "screens/CalendarGlobalController.h"
#include "screens/CenterCalendarController.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/TextField.h"
#include "ui/TextView.h"
#include "ui/Window.h"

#include <cstdlib>
#include <functional>

namespace florelle::testing {
namespace {

constexpr double frame = 1.0 / 60;

// Where two pictures of one size differ by more than one unit in a channel
// (blending may round differently).
::testing::AssertionResult samePicture(const Image& first, const Image& second) {
    if (first.pixelWidth() != second.pixelWidth() || first.pixelHeight() != second.pixelHeight()) {
        return ::testing::AssertionFailure() << "the sizes differ";
    }
    cairo_surface_t* a = first.surface();
    cairo_surface_t* b = second.surface();
    PixelRegion differing;
    for (int y = 0; y < first.pixelHeight(); ++y) {
        const unsigned char* rowA =
            cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a);
        const unsigned char* rowB =
            cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b);
        for (int x = 0; x < first.pixelWidth(); ++x) {
            for (int channel = 0; channel < 4; ++channel) {
                if (std::abs(rowA[x * 4 + channel] - rowB[x * 4 + channel]) > 1) {
                    differing.add(Rect(x, y, 1, 1));
                    break;
                }
            }
        }
    }
    if (differing.isEmpty()) {
        return ::testing::AssertionSuccess();
    }
    Rect box = differing.extents();
    return ::testing::AssertionFailure()
           << differing.area() << " pixels differ within " << box.minX() << "," << box.minY() << " "
           << box.width() << "x" << box.height();
}

View* findOnScreen(View& view, const std::function<bool(View&)>& wanted) {
    Rect screen(0, 0, 320, 480);
    if (!view.isHidden() && wanted(view) &&
        screen.contains(view.convertPointToWindow({view.bounds().midX(), view.bounds().midY()}))) {
        return &view;
    }
    for (const auto& subview : view.subviews()) {
        if (View* found = findOnScreen(*subview, wanted)) {
            return found;
        }
    }
    return nullptr;
}

// The main screen presenting a frame at every tick, as a window does.
class ScreenFramesTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        launch();
        host().setPresentsFrames(true);
        host().present();
    }

    // Frames for a while, then the presented screen must be the one drawn
    // afresh.
    void play(const char* step, int frames) {
        for (int count = 0; count < frames; ++count) {
            host().advance(frame);
        }
        EXPECT_TRUE(samePicture(host().render(), host().renderAfresh())) << step;
    }

    // The petal opened the way a tap on the flower opens it.
    void open(MainPageKind kind) {
        main().newDown();
        host().advance(0.5);
        main().petalOpen(kind);
    }

    Rect inPixels(const Rect& points) const {
        return {points.minX() * 2, points.minY() * 2, points.width() * 2, points.height() * 2};
    }
};

TEST_F(ScreenFramesTest, WhileTheCloudDriftsOnlyItsPathIsLaidDownAndNothingIsDrawnAgain) {
    View& cloud = main().cloudView();
    auto shownFrame = [&] {
        return cloud.superview()->convertRect(cloud.presentationFrame(), nullptr);
    };
    Rect before = shownFrame();
    long first = host().screen().frameCount();
    long frames = first;
    for (int count = 0; count < 90; ++count) {
        host().advance(frame);
        Rect after = shownFrame();
        if (host().screen().frameCount() != frames) {
            frames = host().screen().frameCount();
            PixelRegion path(inPixels(before.unionWith(after)).insetBy(-1, -1));
            EXPECT_TRUE(path.contains(host().screen().lastDamage().extents())) << "frame " << count;
            EXPECT_EQ(host().screen().lastDrawCount(), 0) << "frame " << count;
        }
        before = after;
    }
    // 12.6 points a second: a whole pixel about every other frame.
    EXPECT_GT(frames - first, 30);
}

TEST_F(ScreenFramesTest, ATourOfThePagesShowsWhatADrawingAfreshShows) {
    play("the main screen", 10);

    open(MainPageKind::calendar);
    play("the calendar petal opening", 12);
    play("the calendar page", 90);
    auto& calendar = dynamic_cast<CalendarGlobalController&>(main().page(MainPageKind::calendar));
    tapView(*calendar.calViewController().view()->headerView()->rightArrow(), 0);
    play("the month sliding", 10);
    play("the next month", 30);
    main().newDown();
    play("the flower coming back", 12);
    play("the flower", 90);

    open(MainPageKind::charts);
    play("the chart growing in", 40);
    play("the chart", 90);

    main().newDown();
    play("the flower again", 90);

    Rect button = main().centerButton().frame();
    Rect flower = main().flowerView().frame();
    host().tap(inWindow({flower.minX() + button.midX(), flower.minY() + button.midY()}));
    play("the month picker coming up", 30);
    tapView(main().centerCalendar().cancelButton(), 0);
    play("the month picker going", 10);
    play("the flower after the picker", 60);

    auto alert = std::make_shared<AlertView>("Florelle", "The diary was not saved.",
                                             std::weak_ptr<AlertViewDelegate>(), "OK",
                                             std::vector<std::string>{});
    alert->show();
    play("an alert fading in", 6);
    play("an alert", 30);
    alert->dismissWithClickedButtonIndex(0, true);
    play("the alert gone", 30);

    open(MainPageKind::notes);
    play("the notes page", 90);
    View* field = findOnScreen(*host().keyWindow(), [](View& view) {
        return dynamic_cast<TextField*>(&view) || dynamic_cast<TextView*>(&view);
    });
    ASSERT_TRUE(field);
    tapView(*field, 0);
    play("the keyboard coming up", 8);
    play("the keyboard", 60);
}

} // namespace
} // namespace florelle::testing
