// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarUiTest.h"
#include "calendar/CalTileView.h"
#include "calendar/CalendarDataSource.h"
#include "foundation/Clock.h"
#include "graphics/BitmapContext.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"

#include <gtest/gtest.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

struct Marks {
    bool period = false;
    bool fertile = false;
    bool ovulation = false;
    bool intimate = false;
    bool marked = false;
    bool shade = false;
    bool selected = false;
};

// The tile of 14 March 2026 drawn alone at scale 2.
class TileDrawing : public DiaryTest {
protected:
    static std::unique_ptr<BitmapContext> draw(const Marks& marks) {
        CalTileView tile(Point{0, 0});
        tile.setDate(CalDate(14, 3, 2026));
        tile.setPeriod(marks.period);
        tile.setFertile(marks.fertile);
        tile.setOvulation(marks.ovulation);
        tile.setIntimate(marks.intimate);
        tile.setMarked(marks.marked);
        tile.setShade(marks.shade);
        tile.setSelected(marks.selected);
        auto context = std::make_unique<BitmapContext>(Size{47, 45}, 2);
        tile.draw(*context, tile.bounds());
        return context;
    }

    static bool samePixels(const std::unique_ptr<BitmapContext>& left,
                           const std::unique_ptr<BitmapContext>& right, const Rect& area) {
        for (int y = int(area.minY() * 2); y < int(area.maxY() * 2); ++y) {
            for (int x = int(area.minX() * 2); x < int(area.maxX() * 2); ++x) {
                if (!(left->pixel(x, y) == right->pixel(x, y))) {
                    return false;
                }
            }
        }
        return true;
    }

    static const Rect& whole() {
        static const Rect area(0, 0, 47, 45);
        return area;
    }
};

TEST_F(TileDrawing, PeriodHidesFertileAndOvulationButNotIntimateOrPen) {
    auto periodOnly = draw({.period = true});
    auto periodAndFertile = draw({.period = true, .fertile = true});
    auto periodAndOvulation = draw({.period = true, .fertile = true, .ovulation = true});
    EXPECT_TRUE(samePixels(periodOnly, periodAndFertile, whole()));
    EXPECT_TRUE(samePixels(periodOnly, periodAndOvulation, whole()));

    auto allMarks = draw({.period = true, .fertile = true, .intimate = true, .marked = true});
    // The heart sits at the lower left, the pen at the upper right.
    EXPECT_FALSE(samePixels(periodOnly, allMarks, Rect(5, 30, 12, 10)));
    EXPECT_FALSE(samePixels(periodOnly, allMarks, Rect(29, 5, 14, 14)));
}

TEST_F(TileDrawing, OvulationHidesFertileAndBothSitAtTheLowerRight) {
    auto plain = draw({});
    auto fertile = draw({.fertile = true});
    auto ovulation = draw({.ovulation = true});
    auto both = draw({.fertile = true, .ovulation = true});
    EXPECT_TRUE(samePixels(ovulation, both, whole()));
    EXPECT_FALSE(samePixels(plain, fertile, Rect(25, 27, 16, 17)));
    EXPECT_FALSE(samePixels(fertile, ovulation, Rect(25, 27, 16, 17)));
    // Outside its corner the flower leaves the day number and backdrop alone.
    EXPECT_TRUE(samePixels(plain, fertile, Rect(0, 0, 25, 27)));
}

TEST_F(TileDrawing, ShadedSelectedDayKeepsItsBackgroundButShadedText) {
    auto selected = draw({.selected = true});
    auto shadedSelected = draw({.shade = true, .selected = true});
    auto plain = draw({});
    // Background pixel away from the number: the selected picture stays.
    Color background = selected->pixelAt(Point{40, 40});
    EXPECT_EQ(shadedSelected->pixelAt(Point{40, 40}), background);
    EXPECT_FALSE(plain->pixelAt(Point{40, 40}) == background);
    EXPECT_FALSE(samePixels(selected, shadedSelected, Rect(0, 5, 30, 30)));
}

TEST_F(TileDrawing, TodayAndSelectedTilesStandOutOnePointLeftAndDown) {
    CalTileView tile(Point{92, 44});
    EXPECT_EQ(tile.frame(), Rect(92, 44, 46, 44));
    tile.setType(CalTileView::Type::today);
    EXPECT_EQ(tile.frame(), Rect(91, 44, 47, 45));
    tile.setSelected(true);
    EXPECT_EQ(tile.frame(), Rect(91, 44, 47, 45));
    tile.setType(CalTileView::Type::regular);
    EXPECT_EQ(tile.frame(), Rect(91, 44, 47, 45));
    tile.setSelected(false);
    EXPECT_EQ(tile.frame(), Rect(92, 44, 46, 44));
    tile.setSelected(true);
    tile.setPeriod(true);
    tile.resetState();
    EXPECT_EQ(tile.frame(), Rect(92, 44, 46, 44));
    EXPECT_FALSE(tile.isSelected());
    EXPECT_TRUE(tile.isPeriod());
}

class DatabaseMarks : public CalendarUiTest {};

TEST_F(DatabaseMarks, CalendarScreenMarksComeFromTheDatabase) {
    using DC = DatabaseController;
    for (const auto& zone : dayRuleZones) {
        SCOPED_TRACE(zone);
        std::filesystem::remove_all(databaseFile().parent_path());
        setTimeZone(zone);
        clock_->set(localDate(2026, 3, 10, 12));
        CalDate::cacheTodaysDate();
        ASSERT_TRUE(DC::saveCycleLength(28));
        ASSERT_TRUE(DC::savePeriodLength(5));
        ASSERT_TRUE(DC::saveOvulationDay(14));
        ASSERT_TRUE(DC::saveLog(localDate(2026, 3, 1), localDate(2026, 3, 5)));
        ASSERT_TRUE(DC::saveIntimate(1, DC::openDay(localDate(2026, 3, 3, 21)).value()));
        ASSERT_TRUE(DC::saveNote("cramps", DC::openDay(localDate(2026, 3, 12, 8)).value(),
                                 Clock::current()->now()));

        auto marks = std::make_shared<CalendarDataSource>();
        controller_ = CalViewController::create(localDate(2026, 3, 10));
        controller_->setDataSource(marks);
        controller_->view();
        EXPECT_TRUE(tileOf(2026, 3, 1)->isPeriod());
        EXPECT_TRUE(tileOf(2026, 3, 5)->isPeriod());
        EXPECT_FALSE(tileOf(2026, 3, 6)->isPeriod());
        EXPECT_TRUE(tileOf(2026, 3, 6)->isFertile());
        EXPECT_TRUE(tileOf(2026, 3, 15)->isOvulation());
        EXPECT_TRUE(tileOf(2026, 3, 29)->isPeriod());
        EXPECT_TRUE(tileOf(2026, 3, 3)->isIntimate());
        EXPECT_FALSE(tileOf(2026, 3, 4)->isIntimate());
        EXPECT_TRUE(tileOf(2026, 3, 12)->isMarked());
        EXPECT_FALSE(tileOf(2026, 3, 3)->isMarked());
        // Trailing April days carry their predicted marks too.
        EXPECT_TRUE(tileOf(2026, 4, 1)->isPeriod());
        for (const auto& tile : grid().frontMonthView()->tilesInUse()) {
            EXPECT_FALSE(tile->isShaded()) << tile->date()->description();
        }
        controller_.reset();
    }
}

} // namespace
