// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TableView.h"

#include "UiTest.h"
#include "ui/TableCellEditingControl.h"

#include <optional>
#include <string>
#include <vector>

namespace florelle {
namespace {

class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfSections(TableView&) override { return static_cast<int>(counts.size()); }
    int numberOfRowsInSection(TableView&, int section) override { return counts[section]; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override {
        auto cell = table.dequeueReusableCell("row");
        if (cell) {
            ++reused;
        } else {
            cell = std::make_shared<TableViewCell>("row");
            ++made;
        }
        cell->textLabel()->setText(std::to_string(path.section) + "." + std::to_string(path.row));
        return cell;
    }
    std::string titleForHeaderInSection(TableView&, int section) override {
        return titles.empty() ? std::string() : titles[section];
    }
    void commitEditingStyle(TableView& table, TableViewCell::EditingStyle style,
                            IndexPath path) override {
        commits.push_back({style, path});
        if (style == TableViewCell::EditingStyle::remove) {
            --counts[path.section];
        } else {
            ++counts[path.section];
        }
        table.reloadData();
    }
    std::optional<IndexPath> willSelectRow(TableView&, IndexPath path) override {
        if (path.row == refusedRow) {
            return std::nullopt;
        }
        return path;
    }
    void didSelectRow(TableView&, IndexPath path) override { selections.push_back(path); }
    TableViewCell::EditingStyle editingStyleForRow(TableView&, IndexPath path) override {
        return path.row == 0 ? TableViewCell::EditingStyle::insert
                             : TableViewCell::EditingStyle::remove;
    }

    std::vector<int> counts{100};
    std::vector<std::string> titles;
    int made = 0;
    int reused = 0;
    int refusedRow = -1;
    std::vector<IndexPath> selections;
    std::vector<std::pair<TableViewCell::EditingStyle, IndexPath>> commits;
};

class TableViewTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        makeTable(TableView::Style::plain);
    }

    void makeTable(TableView::Style style) {
        if (table_) {
            table_->removeFromSuperview();
        }
        table_ = std::make_shared<TableView>(Rect(0, 0, 320, 440), style);
        table_->dataSource = rows_;
        table_->setDelegate(rows_);
        window_->addSubview(table_);
        table_->reloadData();
    }

    Point centreOfRow(IndexPath path) {
        Rect rect = table_->rectForRow(path);
        return table_->convertPointToWindow(Point{rect.midX(), rect.midY()});
    }

    // The first half of the move only starts the drag; the content follows the second.
    void dragBy(double dy) {
        auto touch = touchDown(Point{160, 300});
        touchMove(touch, Point{160, 300 + dy / 2});
        touchMove(touch, Point{160, 300 + dy});
        clock_->advance(1);
        touchUp(touch, Point{160, 300 + dy});
    }

    std::shared_ptr<Rows> rows_ = std::make_shared<Rows>();
    std::shared_ptr<TableView> table_;
};

TEST_F(TableViewTest, OnlyRowsOnScreenHaveCellsAndScrolledAwayCellsAreReused) {
    // 440 points of 44-point rows.
    EXPECT_EQ(table_->indexPathsForVisibleRows().size(), 10u);
    EXPECT_EQ(rows_->made, 10);
    EXPECT_EQ(table_->contentSize().height, 4400);

    for (int step = 0; step < 10; ++step) {
        dragBy(-200);
    }
    EXPECT_EQ(table_->contentOffset().y, 1000);
    EXPECT_LE(rows_->made, 12);
    EXPECT_GE(rows_->reused, 22);
    auto cell = table_->cellForRow(IndexPath{0, 25});
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->textLabel()->text(), "0.25");
    EXPECT_EQ(cell->superview(), table_.get());
    EXPECT_FALSE(table_->cellForRow(IndexPath{0, 0}));
}

TEST_F(TableViewTest, ATapSelectsTheRowAndTellsTheDelegate) {
    tap(centreOfRow(IndexPath{0, 3}));
    EXPECT_EQ(rows_->selections, std::vector<IndexPath>{(IndexPath{0, 3})});
    EXPECT_EQ(table_->indexPathForSelectedRow(), (IndexPath{0, 3}));
    EXPECT_TRUE(table_->cellForRow(IndexPath{0, 3})->isSelected());

    tap(centreOfRow(IndexPath{0, 5}));
    EXPECT_FALSE(table_->cellForRow(IndexPath{0, 3})->isSelected());
    EXPECT_TRUE(table_->cellForRow(IndexPath{0, 5})->isSelected());
}

TEST_F(TableViewTest, ADragSelectsNothing) {
    dragBy(-100);
    EXPECT_TRUE(rows_->selections.empty());
    EXPECT_FALSE(table_->indexPathForSelectedRow());
    for (const auto& path : table_->indexPathsForVisibleRows()) {
        EXPECT_FALSE(table_->cellForRow(path)->isSelected());
    }
}

TEST_F(TableViewTest, TheDelegateMayRefuseASelection) {
    rows_->refusedRow = 2;
    tap(centreOfRow(IndexPath{0, 2}));
    EXPECT_TRUE(rows_->selections.empty());
    EXPECT_FALSE(table_->cellForRow(IndexPath{0, 2})->isSelected());
}

TEST_F(TableViewTest, AnimatedDeselectionFadesTheSelection) {
    tap(centreOfRow(IndexPath{0, 1}));
    auto cell = table_->cellForRow(IndexPath{0, 1});
    table_->deselectRow(IndexPath{0, 1}, true);
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(table_->indexPathForSelectedRow());
    advance(TableViewCell::fadeDuration / 2);
    auto shownSelection = cell->subviews().front();
    double alpha = shownSelection->presentationAlpha();
    EXPECT_GT(alpha, 0);
    EXPECT_LT(alpha, 1);
    advance(TableViewCell::fadeDuration);
    EXPECT_EQ(shownSelection->presentationAlpha(), 0);
}

TEST_F(TableViewTest, DeleteAsksForConfirmationBeforeTheDataSourceHears) {
    table_->setEditing(true, false);
    auto cell = table_->cellForRow(IndexPath{0, 2});
    ASSERT_TRUE(cell->editingControl());
    EXPECT_EQ(cell->editingStyle(), TableViewCell::EditingStyle::remove);
    tap(cell->editingControl()->convertPointToWindow(Point{16, 22}));
    EXPECT_TRUE(cell->showsDeleteConfirmation());
    EXPECT_TRUE(rows_->commits.empty());

    // A tap elsewhere takes the button away and deletes nothing.
    tap(centreOfRow(IndexPath{0, 6}));
    EXPECT_FALSE(cell->showsDeleteConfirmation());
    EXPECT_TRUE(rows_->commits.empty());
    EXPECT_TRUE(rows_->selections.empty());

    tap(cell->editingControl()->convertPointToWindow(Point{16, 22}));
    auto button = cell->deleteConfirmationButton();
    ASSERT_TRUE(button);
    tap(button->convertPointToWindow(Point{10, 10}));
    ASSERT_EQ(rows_->commits.size(), 1u);
    EXPECT_EQ(rows_->commits[0].first, TableViewCell::EditingStyle::remove);
    EXPECT_EQ(rows_->commits[0].second, (IndexPath{0, 2}));
    EXPECT_EQ(table_->numberOfRowsInSection(0), 99);
}

TEST_F(TableViewTest, AnInsertControlCommitsAtOnce) {
    table_->setEditing(true, false);
    auto cell = table_->cellForRow(IndexPath{0, 0});
    EXPECT_EQ(cell->editingStyle(), TableViewCell::EditingStyle::insert);
    tap(cell->editingControl()->convertPointToWindow(Point{16, 22}));
    ASSERT_EQ(rows_->commits.size(), 1u);
    EXPECT_EQ(rows_->commits[0].first, TableViewCell::EditingStyle::insert);
    EXPECT_EQ(table_->numberOfRowsInSection(0), 101);

    table_->setEditing(false, false);
    EXPECT_FALSE(table_->cellForRow(IndexPath{0, 0})->isEditing());
}

TEST_F(TableViewTest, SectionsLayOutHeadersAndRowsByStyle) {
    rows_->counts = {2, 3};
    rows_->titles = {"First", ""};
    struct Case {
        TableView::Style style;
        Rect header0;
        Rect row00;
        Rect header1;
        Rect row10;
    } cases[] = {
        {TableView::Style::plain, Rect(0, 0, 320, 22), Rect(0, 22, 320, 44), Rect(0, 110, 320, 0),
         Rect(0, 110, 320, 44)},
        {TableView::Style::grouped, Rect(0, 10, 320, 36), Rect(10, 46, 300, 44),
         Rect(0, 144, 320, 0), Rect(10, 144, 300, 44)},
    };
    for (const auto& row : cases) {
        makeTable(row.style);
        EXPECT_EQ(table_->rectForHeaderInSection(0), row.header0);
        EXPECT_EQ(table_->rectForRow(IndexPath{0, 0}), row.row00);
        EXPECT_EQ(table_->rectForHeaderInSection(1), row.header1);
        EXPECT_EQ(table_->rectForRow(IndexPath{1, 0}), row.row10);
    }
}

TEST_F(TableViewTest, CellPartsMakeRoomForEditingAndAccessories) {
    auto cell = table_->cellForRow(IndexPath{0, 1});
    cell->setAccessoryType(TableViewCell::Accessory::checkmark);
    EXPECT_EQ(cell->contentView()->frame(), Rect(0, 0, 290, 44));
    table_->setEditing(true, false);
    EXPECT_EQ(cell->contentView()->frame(), Rect(32, 0, 258, 44));
    cell->setSelectionStyle(TableViewCell::SelectionStyle::none);
    table_->setEditing(false, false);
    tap(centreOfRow(IndexPath{0, 1}));
    EXPECT_EQ(rows_->selections.size(), 1u);
    EXPECT_EQ(cell->subviews().front()->presentationAlpha(), 0);
}

} // namespace
} // namespace florelle
