// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableView.h"

#include "Label.h"

#include <algorithm>

namespace florelle {

TableView::TableView(const Rect& frame, Style style) : ScrollView(frame), style_(style) {
    setBackgroundColor(style == Style::grouped ? Color(0.77, 0.80, 0.85) : Color::white());
}

TableView::~TableView() = default;

void TableView::setDelegate(const std::shared_ptr<TableViewDelegate>& delegate) {
    tableDelegate_ = delegate;
    ScrollView::delegate = delegate;
}

void TableView::setRowHeight(double height) {
    rowHeight_ = height;
}

void TableView::setSectionHeaderHeight(double height) {
    sectionHeaderHeight_ = height;
}

int TableView::numberOfRowsInSection(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return 0;
    }
    return static_cast<int>(sections_[section].rows.size());
}

void TableView::reloadData() {
    auto shown = visible_;
    for (const auto& [path, cell] : shown) {
        recycle(path);
    }
    selected_.reset();
    highlighted_.reset();
    confirmingDelete_.reset();
    layoutSections();
    layoutVisibleCells();
}

std::shared_ptr<View> TableView::makeHeader(int, const std::string& title) {
    auto header = std::make_shared<View>();
    auto label = std::make_shared<Label>();
    label->setText(title);
    label->setFont(Font::boldSystemFont(style_ == Style::grouped ? 17 : 18));
    if (style_ == Style::grouped) {
        label->setTextColor(Color(0.30, 0.34, 0.42));
        label->setShadowColor(Color::white());
        label->setShadowOffset(Size{0, 1});
    } else {
        header->setBackgroundColor(Color(0.56, 0.62, 0.69, 0.92));
        label->setTextColor(Color::white());
    }
    header->addSubview(label);
    return header;
}

void TableView::layoutSections() {
    for (auto& section : sections_) {
        if (section.headerView) {
            section.headerView->removeFromSuperview();
        }
    }
    sections_.clear();
    auto source = dataSource.lock();
    auto delegate = tableDelegate_.lock();
    double width = bounds().width();
    bool grouped = style_ == Style::grouped;
    double y = grouped ? groupMargin : 0;
    int count = source ? std::max(0, source->numberOfSections(*this)) : 0;
    for (int index = 0; index < count; ++index) {
        SectionLayout section;
        std::string title = source->titleForHeaderInSection(*this, index);
        section.headerView = delegate ? delegate->viewForHeaderInSection(*this, index) : nullptr;
        bool custom = section.headerView != nullptr;
        if (!section.headerView && !title.empty()) {
            section.headerView = makeHeader(index, title);
        }
        std::optional<double> asked =
            delegate ? delegate->heightForHeaderInSection(*this, index) : std::nullopt;
        double headerHeight = 0;
        if (asked) {
            headerHeight = *asked;
        } else if (sectionHeaderHeight_ >= 0) {
            headerHeight = sectionHeaderHeight_;
        } else if (section.headerView) {
            headerHeight = grouped ? groupedHeaderHeight : plainHeaderHeight;
        }
        section.header = Rect(0, y, width, headerHeight);
        if (section.headerView) {
            section.headerView->setFrame(section.header);
            if (!custom) {
                section.headerView->subviews().front()->setFrame(
                    Rect(grouped ? 2 * groupMargin : 12, 0, width - 4 * groupMargin, headerHeight));
            }
            addSubview(section.headerView);
        }
        y += headerHeight;
        int rows = std::max(0, source->numberOfRowsInSection(*this, index));
        double inset = grouped ? groupMargin : 0;
        for (int row = 0; row < rows; ++row) {
            IndexPath path{index, row};
            double height = (delegate ? delegate->heightForRow(*this, path) : std::nullopt)
                                .value_or(rowHeight_);
            section.rows.push_back(Rect(inset, y, width - 2 * inset, height));
            y += height;
        }
        if (grouped) {
            y += groupMargin;
        }
        sections_.push_back(std::move(section));
    }
    setContentSize(Size{width, y});
}

void TableView::recycle(IndexPath path) {
    auto found = visible_.find(path);
    if (found == visible_.end()) {
        return;
    }
    auto cell = found->second;
    visible_.erase(found);
    cell->removeFromSuperview();
    cell->prepareForReuse();
    reusable_[cell->reuseIdentifier()].push_back(cell);
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier) {
    auto found = reusable_.find(identifier);
    if (found == reusable_.end() || found->second.empty()) {
        return nullptr;
    }
    auto cell = found->second.back();
    found->second.pop_back();
    return cell;
}

void TableView::layoutVisibleCells() {
    auto source = dataSource.lock();
    Rect visible = bounds();
    std::vector<IndexPath> wanted;
    for (int section = 0; section < numberOfSections(); ++section) {
        const auto& rows = sections_[section].rows;
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            if (rows[row].intersects(visible)) {
                wanted.push_back(IndexPath{section, row});
            }
        }
    }
    std::vector<IndexPath> gone;
    for (const auto& [path, cell] : visible_) {
        if (!std::binary_search(wanted.begin(), wanted.end(), path)) {
            gone.push_back(path);
        }
    }
    for (const auto& path : gone) {
        recycle(path);
    }
    if (!source) {
        return;
    }
    for (const auto& path : wanted) {
        if (visible_.count(path)) {
            continue;
        }
        auto cell = source->cellForRow(*this, path);
        if (!cell) {
            continue;
        }
        cell->setFrame(rectForRow(path));
        cell->setSelected(selected_ == path || highlighted_ == path);
        configureEditing(*cell, path);
        cell->layoutParts();
        insertSubview(cell, 0);
        visible_[path] = cell;
    }
}

void TableView::contentOffsetDidChange() {
    layoutVisibleCells();
}

std::shared_ptr<TableViewCell> TableView::cellForRow(IndexPath path) const {
    auto found = visible_.find(path);
    return found == visible_.end() ? nullptr : found->second;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> paths;
    for (const auto& [path, cell] : visible_) {
        paths.push_back(path);
    }
    return paths;
}

Rect TableView::rectForRow(IndexPath path) const {
    if (path.section < 0 || path.section >= numberOfSections() || path.row < 0 ||
        path.row >= numberOfRowsInSection(path.section)) {
        return Rect();
    }
    return sections_[path.section].rows[path.row];
}

Rect TableView::rectForHeaderInSection(int section) const {
    if (section < 0 || section >= numberOfSections()) {
        return Rect();
    }
    return sections_[section].header;
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point point) const {
    for (int section = 0; section < numberOfSections(); ++section) {
        const auto& rows = sections_[section].rows;
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            if (rows[row].contains(point)) {
                return IndexPath{section, row};
            }
        }
    }
    return std::nullopt;
}

void TableView::scrollToRow(IndexPath path, bool animated) {
    Rect rect = rectForRow(path);
    if (!rect.isEmpty()) {
        scrollRectToVisible(rect, animated);
    }
}

void TableView::selectRow(IndexPath path, bool animated) {
    if (selected_ && *selected_ != path) {
        deselectRow(*selected_, animated);
    }
    if (rectForRow(path).isEmpty()) {
        return;
    }
    selected_ = path;
    if (auto cell = cellForRow(path)) {
        cell->setSelected(true, animated);
    }
}

void TableView::deselectRow(IndexPath path, bool animated) {
    if (selected_ == path) {
        selected_.reset();
    }
    if (auto cell = cellForRow(path)) {
        cell->setSelected(false, animated);
    }
}

void TableView::setEditing(bool editing, bool) {
    if (editing == editing_) {
        return;
    }
    editing_ = editing;
    confirmingDelete_.reset();
    for (const auto& [path, cell] : visible_) {
        configureEditing(*cell, path);
    }
}

void TableView::configureEditing(TableViewCell& cell, IndexPath path) {
    auto source = dataSource.lock();
    auto delegate = tableDelegate_.lock();
    TableViewCell::EditingStyle style = TableViewCell::EditingStyle::none;
    if (editing_ && source && source->canEditRow(*this, path)) {
        style = delegate ? delegate->editingStyleForRow(*this, path)
                         : TableViewCell::EditingStyle::remove;
    }
    cell.setEditingStyle(style);
    cell.setShowsDeleteConfirmation(confirmingDelete_ == path);
    std::weak_ptr<View> weakSelf = weak_from_this();
    const TableViewCell* target = &cell;
    cell.onEditingControl = [weakSelf, target] {
        if (auto self = std::static_pointer_cast<TableView>(weakSelf.lock())) {
            self->editingControlTapped(*target);
        }
    };
    cell.onDeleteConfirmed = [weakSelf, target] {
        if (auto self = std::static_pointer_cast<TableView>(weakSelf.lock())) {
            self->deleteConfirmed(*target);
        }
    };
}

std::optional<IndexPath> TableView::pathOfCell(const TableViewCell& cell) const {
    for (const auto& [path, shown] : visible_) {
        if (shown.get() == &cell) {
            return path;
        }
    }
    return std::nullopt;
}

void TableView::hideDeleteConfirmation() {
    if (!confirmingDelete_) {
        return;
    }
    if (auto cell = cellForRow(*confirmingDelete_)) {
        cell->setShowsDeleteConfirmation(false);
    }
    confirmingDelete_.reset();
}

void TableView::editingControlTapped(const TableViewCell& cell) {
    auto path = pathOfCell(cell);
    auto source = dataSource.lock();
    if (!path || !source) {
        return;
    }
    if (cell.editingStyle() == TableViewCell::EditingStyle::insert) {
        hideDeleteConfirmation();
        source->commitEditingStyle(*this, TableViewCell::EditingStyle::insert, *path);
        return;
    }
    bool wasShowing = confirmingDelete_ == path;
    hideDeleteConfirmation();
    if (!wasShowing) {
        confirmingDelete_ = path;
        cellForRow(*path)->setShowsDeleteConfirmation(true);
    }
}

void TableView::deleteConfirmed(const TableViewCell& cell) {
    auto path = pathOfCell(cell);
    auto source = dataSource.lock();
    hideDeleteConfirmation();
    if (path && source) {
        source->commitEditingStyle(*this, TableViewCell::EditingStyle::remove, *path);
    }
}

void TableView::unhighlight() {
    if (highlighted_ && highlighted_ != selected_) {
        if (auto cell = cellForRow(*highlighted_)) {
            cell->setSelected(false);
        }
    }
    highlighted_.reset();
}

void TableView::touchesBegan(const Touches& touches, const Event& event) {
    bool wasMoving = isDecelerating();
    ScrollView::touchesBegan(touches, event);
    if (confirmingDelete_) {
        // The tap only takes the Delete button away.
        hideDeleteConfirmation();
        return;
    }
    if (wasMoving || (editing_ && !selectDuringEditing_)) {
        return;
    }
    auto path = indexPathForRowAtPoint(touches.front()->locationInView(this));
    if (!path) {
        return;
    }
    auto cell = cellForRow(*path);
    if (cell && cell->selectionStyle() != TableViewCell::SelectionStyle::none) {
        highlighted_ = path;
        cell->setSelected(true);
    } else if (cell) {
        highlighted_ = path;
    }
}

void TableView::touchesMoved(const Touches& touches, const Event& event) {
    ScrollView::touchesMoved(touches, event);
    if (isDragging()) {
        unhighlight();
    }
}

void TableView::touchesEnded(const Touches& touches, const Event& event) {
    ScrollView::touchesEnded(touches, event);
    if (!highlighted_ || didDragCurrentTouch()) {
        unhighlight();
        return;
    }
    auto path = *highlighted_;
    auto under = indexPathForRowAtPoint(touches.front()->locationInView(this));
    auto delegate = tableDelegate_.lock();
    std::optional<IndexPath> chosen = under == path ? std::optional(path) : std::nullopt;
    if (chosen && delegate) {
        chosen = delegate->willSelectRow(*this, path);
    }
    unhighlight();
    if (!chosen) {
        return;
    }
    selectRow(*chosen, false);
    if (delegate) {
        delegate->didSelectRow(*this, *chosen);
    }
}

void TableView::touchesCancelled(const Touches& touches, const Event& event) {
    ScrollView::touchesCancelled(touches, event);
    unhighlight();
}

} // namespace florelle
