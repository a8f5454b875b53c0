// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IndexPath.h"
#include "ScrollView.h"
#include "TableViewCell.h"
#include "TableViewDataSource.h"
#include "TableViewDelegate.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// A scrolling list of rows in sections, drawn from a data source. Only the
// rows on screen have cells; a cell that scrolls away waits in a queue for
// dequeueReusableCell. A tap on a row (not a drag) selects it and tells the
// delegate; the row stays selected until deselectRow.
//
// Styles: plain rows run the full width under grey section headers; grouped
// rows sit inset in groups with their titles above them.
//
// Editing: each row shows the control of its editing style. Tapping an
// insert control commits the insert; tapping a delete control only shows a
// Delete button on the row, and the data source hears of the delete once
// that button is tapped. A tap anywhere else takes the button away.
class TableView : public ScrollView {
public:
    enum class Style { plain, grouped };
    static constexpr double plainHeaderHeight = 22;
    static constexpr double groupedHeaderHeight = 36;
    static constexpr double groupMargin = 10;

    TableView(const Rect& frame, Style style);
    ~TableView() override;

    Style style() const { return style_; }

    std::weak_ptr<TableViewDataSource> dataSource;
    std::weak_ptr<TableViewDelegate> tableDelegate() const { return tableDelegate_; }
    // Also the scroll view's delegate.
    void setDelegate(const std::shared_ptr<TableViewDelegate>& delegate);

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);
    // Below zero: the style's own height for sections with a title or view.
    double sectionHeaderHeight() const { return sectionHeaderHeight_; }
    void setSectionHeaderHeight(double height);
    bool allowsSelectionDuringEditing() const { return selectDuringEditing_; }
    void setAllowsSelectionDuringEditing(bool allows) { selectDuringEditing_ = allows; }

    // Asks the data source for everything again.
    void reloadData();
    int numberOfSections() const { return static_cast<int>(sections_.size()); }
    int numberOfRowsInSection(int section) const;

    std::shared_ptr<TableViewCell> dequeueReusableCell(const std::string& identifier);
    // The cell of a row on screen, else empty.
    std::shared_ptr<TableViewCell> cellForRow(IndexPath path) const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    // In content coordinates.
    Rect rectForRow(IndexPath path) const;
    Rect rectForHeaderInSection(int section) const;
    std::optional<IndexPath> indexPathForRowAtPoint(Point point) const;
    void scrollToRow(IndexPath path, bool animated);

    std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
    // Selects without telling the delegate.
    void selectRow(IndexPath path, bool animated);
    void deselectRow(IndexPath path, bool animated);

    bool isEditing() const { return editing_; }
    void setEditing(bool editing, bool animated);

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesMoved(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;

protected:
    void contentOffsetDidChange() override;

private:
    struct SectionLayout {
        Rect header;
        std::vector<Rect> rows;
        std::shared_ptr<View> headerView;
    };

    void layoutSections();
    void layoutVisibleCells();
    void recycle(IndexPath path);
    void configureEditing(TableViewCell& cell, IndexPath path);
    void editingControlTapped(const TableViewCell& cell);
    void deleteConfirmed(const TableViewCell& cell);
    std::optional<IndexPath> pathOfCell(const TableViewCell& cell) const;
    std::shared_ptr<View> makeHeader(int section, const std::string& title);
    void hideDeleteConfirmation();
    void unhighlight();

    Style style_;
    std::weak_ptr<TableViewDelegate> tableDelegate_;
    double rowHeight_ = TableViewCell::defaultHeight;
    double sectionHeaderHeight_ = -1;
    bool selectDuringEditing_ = false;
    bool editing_ = false;
    std::vector<SectionLayout> sections_;
    std::map<IndexPath, std::shared_ptr<TableViewCell>> visible_;
    std::map<std::string, std::vector<std::shared_ptr<TableViewCell>>> reusable_;
    std::optional<IndexPath> selected_;
    std::optional<IndexPath> highlighted_;
    std::optional<IndexPath> confirmingDelete_;
};

} // namespace florelle
