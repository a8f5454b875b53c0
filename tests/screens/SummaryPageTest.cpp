// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "calendar/CalDateFormatter.h"
#include "calendar/CalGridView.h"
#include "calendar/CalMonthView.h"
#include "calendar/CalTileView.h"
#include "cycle/PastPeriodEntry.h"
#include "foundation/Strings.h"
#include "screens/SummaryCalendarController.h"
#include "screens/SummaryGlobalController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TableCellEditingControl.h"

#include <functional>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;
using Rows = std::vector<std::vector<std::string>>;

std::string medium(int year, int month, int day) {
    return CalDateFormatter(CalDateFormatter::Style::medium)
        .stringFromDate(localDate(year, month, day));
}

class SummaryPageTest : public MainScreenTest {
protected:
    // Three periods, the latest still open; today is 10 March.
    void seed() {
        ASSERT_TRUE(DC::saveLog(localDate(2026, 1, 5), localDate(2026, 1, 9)));
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 2), localDate(2026, 2, 7)));
        ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 3, 3)));
        ASSERT_TRUE(DC::saveIsStartDate(0));
    }
    void open() {
        launch(localDate(2026, 3, 10, 12));
        openPetal(MainPageKind::summary);
    }
    SummaryGlobalController& summary() const {
        return dynamic_cast<SummaryGlobalController&>(main().page(MainPageKind::summary));
    }
    SummaryCalendarController& calendar() const { return main().summaryCalendar(); }
    bool calendarUp() const { return main().summaryCalendarView().frame().minY() == 0; }

    void tapRow(int row) {
        auto cell = summary().tableView().cellForRow({0, row});
        ASSERT_TRUE(cell) << row;
        tapView(*cell);
    }
    // The texts of every row: the add row's one label, else the three columns.
    Rows rows() const {
        Rows list;
        TableView& table = summary().tableView();
        for (int row = 0; row < table.numberOfRowsInSection(0); ++row) {
            table.scrollToRow({0, row}, false);
            auto cell = table.cellForRow({0, row});
            std::vector<std::string> texts;
            // The column labels (tagged), or the add row's one label.
            for (const auto& view : cell->contentView()->subviews()) {
                auto label = std::dynamic_pointer_cast<Label>(view);
                if (label && (view->tag() > 0 || !label->text().empty())) {
                    texts.push_back(label->text());
                }
            }
            list.push_back(texts);
        }
        table.scrollToRow({0, 0}, false);
        return list;
    }
    std::string title() const {
        return summary().bigTitleLbl().text() + " / " + summary().smallTitleLbl().text();
    }
};

} // namespace

TEST_F(SummaryPageTest, ASeededDiaryShowsEachTabNewestFirst) {
    seed();
    open();
    EXPECT_EQ(main().menuLbl().text(), t("Summary Key"));
    const std::string still = t("Still counting Key");
    EXPECT_EQ(rows(), (Rows{{t("Add past periods Key")},
                            {medium(2026, 3, 3), still, "/"},
                            {medium(2026, 2, 2), medium(2026, 2, 7), "29"},
                            {medium(2026, 1, 5), medium(2026, 1, 9), "28"}}));
    EXPECT_EQ(title(), "6 days / " + t("AVG Key")) << "5 and 6 days";
    EXPECT_EQ(summary().currentStartLbl().text(), medium(2026, 3, 3));
    EXPECT_EQ(summary().currentEndLbl().text(), "-");
    keepScreenshot("summary-seeded");

    tapView(summary().predictionBtn());
    Rows predicted = rows();
    ASSERT_EQ(predicted.size(), 12u);
    EXPECT_EQ(predicted[0],
              (std::vector<std::string>{medium(2026, 3, 31), medium(2026, 4, 4), "28"}));
    EXPECT_EQ(predicted[11][2], "/");

    tapView(summary().pastBtn());
    tapView(summary().tabButton(1));
    EXPECT_EQ(rows(), (Rows{{"/", still, "/"},
                            {medium(2026, 2, 8), medium(2026, 2, 18), "29"},
                            {medium(2026, 1, 10), medium(2026, 1, 20), "28"}}));
    EXPECT_EQ(title(), "11 days / " + t("AVG Key"));
    EXPECT_EQ(summary().currentView().alpha(), 0) << "the compact layout";
    keepScreenshot("summary-fertile");

    tapView(summary().tabButton(2));
    EXPECT_EQ(rows()[0], (std::vector<std::string>{medium(2026, 3, 17), "", "/"}));
    EXPECT_EQ(title(), medium(2026, 3, 17) + " / " + t("NEXT OV. DATE Key"));
    tapRow(0);
    EXPECT_FALSE(calendarUp()) << "only the period log opens the calendar";

    tapView(summary().tabButton(0));
    for (int skin : {1, 2}) {
        main().setNewSkin(skin);
        host().advance(1);
        EXPECT_EQ(summary().bigTitleLbl().textColor() == Color::white(), skin == 1);
        keepScreenshot("summary-skin" + std::to_string(skin));
    }
}

TEST_F(SummaryPageTest, AnEmptyDiaryOffersOnlyTheAddRow) {
    open();
    EXPECT_EQ(rows(), (Rows{{t("Add past periods Key")}}));
    EXPECT_EQ(title(), "5 days / " + t("AVG Key")) << "the setting";
    EXPECT_EQ(summary().currentStartLbl().text(), "-");
    EXPECT_EQ(summary().currentEndLbl().text(), "-");
    keepScreenshot("summary-empty");
    tapView(summary().infoBtn());
    EXPECT_TRUE(summary().isInfo());
    EXPECT_EQ(summary().infoView().alpha(), 1);
    keepScreenshot("summary-help");
    tapView(summary().infoView());
    EXPECT_FALSE(summary().isInfo());
    EXPECT_EQ(summary().infoView().alpha(), 0);
    tapView(summary().endsBtn());
    EXPECT_FALSE(calendarUp()) << "nothing to end";
    tapView(summary().predictionBtn());
    EXPECT_EQ(rows()[0],
              (std::vector<std::string>{medium(2026, 3, 10), medium(2026, 3, 14), "28"}));
    tapView(summary().tabButton(1));
    tapView(summary().pastBtn());
    EXPECT_TRUE(rows().empty());
}

TEST_F(SummaryPageTest, TheAddRowOpensTheCalendarAndASaveShowsUp) {
    open();
    tapRow(0);
    ASSERT_TRUE(calendarUp());
    EXPECT_EQ(calendar().mode(), 0);
    EXPECT_TRUE(calendar().isNew());
    EXPECT_EQ(localDay(calendar().startDate()), 20260310);
    EXPECT_EQ(localDay(calendar().endDate()), 20260310);
    auto tile = calendar().calViewController().view()->gridView()->frontMonthView()->tileForDate(
        CalDate(6, 3, 2026));
    ASSERT_TRUE(tile);
    tapView(*tile);
    tapView(calendar().addButton());
    EXPECT_FALSE(calendarUp());
    EXPECT_EQ(rows()[1], (std::vector<std::string>{medium(2026, 3, 6), medium(2026, 3, 10), "/"}));
    EXPECT_EQ(summary().tableView().indexPathForSelectedRow(), std::nullopt);
}

TEST_F(SummaryPageTest, RowsAndTheCurrentBlockOpenTheCalendarInTheirModes) {
    seed();
    open();
    struct Case {
        std::function<void()> tap;
        int mode;
        bool isNew;
        int start, end;
    };
    const Case cases[] = {
        {[this] { tapRow(2); }, 0, false, 20260202, 20260207},
        {[this] { tapRow(1); }, 0, false, 20260303, 0},
        {[this] { tapView(summary().startsBtn()); }, 1, false, 20260303, 0},
        {[this] { tapView(summary().endsBtn()); }, 2, false, 20260303, 0},
    };
    for (const auto& c : cases) {
        c.tap();
        ASSERT_TRUE(calendarUp()) << c.mode;
        EXPECT_EQ(calendar().mode(), c.mode);
        EXPECT_EQ(calendar().isNew(), c.isNew);
        EXPECT_EQ(localDay(calendar().startDate()), c.start);
        EXPECT_EQ(calendar().endDate() == Date() ? 0 : localDay(calendar().endDate()), c.end);
        tapView(calendar().cancelButton());
        EXPECT_FALSE(calendarUp());
    }
}

TEST_F(SummaryPageTest, DeletingARowRemovesThatPeriodOnlyAfterConfirming) {
    seed();
    open();
    auto cell = summary().tableView().cellForRow({0, 2});
    ASSERT_TRUE(cell && cell->editingControl());
    tapView(*cell->editingControl());
    ASSERT_TRUE(cell->deleteConfirmationButton());
    EXPECT_EQ(PastPeriodEntry::loggedPeriods()->size(), 3u) << "not before the confirmation";
    tapView(*cell->deleteConfirmationButton());
    auto left = PastPeriodEntry::loggedPeriods().value();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(localDay(left[0].start), 20260105);
    EXPECT_EQ(rows().size(), 3u);
    EXPECT_EQ(rows()[2][0], medium(2026, 1, 5));
    EXPECT_EQ(rows()[2][2], "57") << "the cycle now runs to the open period";
}
