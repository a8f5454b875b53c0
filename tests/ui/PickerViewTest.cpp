// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PickerView.h"

#include "UiTest.h"

#include <cmath>
#include <string>
#include <vector>

namespace florelle {
namespace {

class Wheels : public PickerViewDataSource, public PickerViewDelegate {
public:
    int numberOfComponents(PickerView&) override { return 2; }
    int numberOfRowsInComponent(PickerView&, int component) override {
        return component == 0 ? 100 : 10;
    }
    std::string titleForRow(PickerView&, int row, int component) override {
        return std::to_string(component) + ":" + std::to_string(row);
    }
    std::optional<double> widthForComponent(PickerView&, int component) override {
        return component == 0 ? 200.0 : 96.0;
    }
    void didSelectRow(PickerView&, int row, int component) override {
        picks.push_back({row, component});
    }
    std::vector<std::pair<int, int>> picks;
};

class PickerViewTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        // Wheels 196 high from y 274: the middle row spans y 350…394.
        picker_ = std::make_shared<PickerView>(Rect(0, 264, 320, PickerView::defaultHeight));
        picker_->dataSource = wheels_;
        picker_->delegate = wheels_;
        window_->addSubview(picker_);
        picker_->reloadAllComponents();
    }

    void settle() {
        for (int frame = 0; frame < 600; ++frame) {
            advance(1.0 / 60);
        }
    }

    std::shared_ptr<PickerView> picker_;
    std::shared_ptr<Wheels> wheels_ = std::make_shared<Wheels>();
};

TEST_F(PickerViewTest, WheelsTakeTheirRowsAndWidths) {
    EXPECT_EQ(picker_->numberOfComponents(), 2);
    EXPECT_EQ(picker_->numberOfRowsInComponent(0), 100);
    EXPECT_EQ(picker_->numberOfRowsInComponent(1), 10);
    EXPECT_EQ(picker_->wheel(0)->frame(), Rect(10, 10, 200, 196));
    EXPECT_EQ(picker_->wheel(1)->frame(), Rect(214, 10, 96, 196));
    EXPECT_EQ(picker_->selectedRowInComponent(0), 0);
    EXPECT_EQ(picker_->selectedRowInComponent(5), -1);
}

TEST_F(PickerViewTest, AReleasedWheelSnapsToTheNearestRow) {
    struct Case {
        double pulled; // points the finger moves up before resting
        int row;
    } cases[] = {
        {20, 0}, {30, 1}, {60, 1}, {70, 2}, {-40, 0},
    };
    for (const auto& row : cases) {
        picker_->selectRow(0, 0, false);
        wheels_->picks.clear();
        // The first 10 points only start the drag.
        auto touch = touchDown(Point{100, 372});
        touchMove(touch, Point{100, 362});
        touchMove(touch, Point{100, 362 - row.pulled});
        clock_->advance(1);
        touchUp(touch, Point{100, 362 - row.pulled});
        settle();
        auto wheel = picker_->wheel(0);
        EXPECT_EQ(wheel->contentOffset().y, row.row * wheel->rowHeight()) << row.pulled;
        EXPECT_EQ(picker_->selectedRowInComponent(0), row.row);
        if (row.row == 0) {
            EXPECT_TRUE(wheels_->picks.empty());
        } else {
            EXPECT_EQ(wheels_->picks, (std::vector<std::pair<int, int>>{{row.row, 0}}));
        }
    }
}

TEST_F(PickerViewTest, AFlickGlidesAndRestsOnARow) {
    auto touch = touchDown(Point{100, 380});
    for (int step = 1; step <= 6; ++step) {
        clock_->advance(0.01);
        touchMove(touch, Point{100, 380 - step * 15.0});
    }
    double atLiftOff = picker_->wheel(0)->contentOffset().y;
    touchUp(touch, Point{100, 290});
    advance(0.1);
    EXPECT_GT(picker_->wheel(0)->contentOffset().y, atLiftOff);
    settle();
    double offset = picker_->wheel(0)->contentOffset().y;
    double rows = offset / PickerView::defaultRowHeight;
    EXPECT_EQ(rows, std::round(rows));
    EXPECT_GT(rows, 5);
    ASSERT_EQ(wheels_->picks.size(), 1u);
    EXPECT_EQ(wheels_->picks[0].first, static_cast<int>(rows));
}

TEST_F(PickerViewTest, AFlickPastTheEndStopsOnTheLastRow) {
    auto touch = touchDown(Point{250, 390});
    for (int step = 1; step <= 6; ++step) {
        clock_->advance(0.01);
        touchMove(touch, Point{250, 390 - step * 20.0});
    }
    touchUp(touch, Point{250, 270});
    settle();
    EXPECT_EQ(picker_->selectedRowInComponent(1), 9);
    EXPECT_EQ(wheels_->picks, (std::vector<std::pair<int, int>>{{9, 1}}));
}

TEST_F(PickerViewTest, SelectRowTurnsWithoutTellingTheDelegate) {
    picker_->selectRow(7, 1, true);
    advance(PickerWheel::turnDuration / 2);
    double middle = picker_->wheel(1)->contentOffset().y;
    EXPECT_GT(middle, 0);
    EXPECT_LT(middle, 7 * 44);
    settle();
    EXPECT_EQ(picker_->selectedRowInComponent(1), 7);
    picker_->selectRow(3, 0, false);
    EXPECT_EQ(picker_->wheel(0)->contentOffset().y, 3 * 44);
    EXPECT_TRUE(wheels_->picks.empty());

    picker_->reloadAllComponents();
    EXPECT_EQ(picker_->selectedRowInComponent(0), 3);
    EXPECT_EQ(picker_->selectedRowInComponent(1), 7);
}

TEST_F(PickerViewTest, ATapOnARowBelowTheMiddleTurnsItIn) {
    // Two rows below the middle row.
    tap(Point{100, 372 + 2 * 44});
    settle();
    EXPECT_EQ(picker_->selectedRowInComponent(0), 2);
    EXPECT_EQ(wheels_->picks, (std::vector<std::pair<int, int>>{{2, 0}}));
}

TEST_F(PickerViewTest, TheSelectionIndicatorIsOffUntilAsked) {
    auto indicator = picker_->subviews().back();
    EXPECT_TRUE(indicator->isHidden());
    picker_->setShowsSelectionIndicator(true);
    EXPECT_FALSE(indicator->isHidden());
    EXPECT_EQ(indicator->frame(), Rect(5, 86, 310, 44));
}

} // namespace
} // namespace florelle

namespace florelle {
namespace {

class Pictures : public PickerViewDataSource, public PickerViewDelegate {
public:
    int numberOfComponents(PickerView&) override { return 1; }
    int numberOfRowsInComponent(PickerView&, int) override { return 3; }
    std::shared_ptr<View> viewForRow(PickerView&, int row, int) override {
        auto view = std::make_shared<View>(Rect(0, 0, 40, 30));
        view->setTag(100 + row);
        return view;
    }
};

TEST_F(PickerViewTest, RowsMayShowViewsThatTurnWithTheWheel) {
    auto pictures = std::make_shared<Pictures>();
    picker_->dataSource = pictures;
    picker_->delegate = pictures;
    picker_->reloadAllComponents();
    auto wheel = picker_->wheel(0);
    auto second = wheel->viewWithTag(101);
    ASSERT_TRUE(second);
    // Centred in its row: the middle row starts 76 points down the 196-point wheel.
    EXPECT_EQ(second->frame(), Rect(130, 76 + 44 + 7, 40, 30));
    picker_->selectRow(1, 0, false);
    EXPECT_EQ(second->convertPointToWindow(Point{20, 15}).y,
              wheel->convertPointToWindow(Point{0, wheel->bounds().midY()}).y);
}

} // namespace
} // namespace florelle

namespace florelle {
namespace {

TEST_F(PickerViewTest, ATouchThatStopsATurningWheelLeavesItOnARow) {
    auto touch = touchDown(Point{100, 380});
    for (int step = 1; step <= 6; ++step) {
        clock_->advance(0.01);
        touchMove(touch, Point{100, 380 - step * 15.0});
    }
    touchUp(touch, Point{100, 290});
    advance(0.05);
    advance(0.05);
    ASSERT_TRUE(picker_->wheel(0)->isDecelerating());
    tap(Point{100, 372 + 2 * 44});
    EXPECT_FALSE(picker_->wheel(0)->isDecelerating());
    settle();
    auto wheel = picker_->wheel(0);
    double rows = wheel->contentOffset().y / wheel->rowHeight();
    EXPECT_EQ(rows, std::round(rows));
    EXPECT_EQ(wheels_->picks, (std::vector<std::pair<int, int>>{{static_cast<int>(rows), 0}}));
}

} // namespace
} // namespace florelle

namespace florelle {
namespace {

TEST_F(PickerViewTest, TheMouseWheelTurnsAWheelToARow) {
    auto wheel = picker_->wheel(0);
    EXPECT_TRUE(wheel->scrollWheel(Point{0, 100}));
    settle();
    EXPECT_EQ(wheel->contentOffset().y, 2 * wheel->rowHeight());
    EXPECT_EQ(wheels_->picks, (std::vector<std::pair<int, int>>{{2, 0}}));
}

} // namespace
} // namespace florelle
