// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IndexPath.h"
#include "ScrollViewDelegate.h"
#include "TableViewCell.h"

#include <memory>
#include <optional>

namespace florelle {

class TableView;
class View;

// Shapes a table's rows and headers and hears about selections. Every call
// has a default: empty optionals leave the table's own row and header
// heights.
class TableViewDelegate : public ScrollViewDelegate {
public:
    virtual std::optional<double> heightForRow(TableView&, IndexPath) { return std::nullopt; }
    virtual std::optional<double> heightForHeaderInSection(TableView&, int) { return std::nullopt; }
    // A view to show in place of the header title.
    virtual std::shared_ptr<View> viewForHeaderInSection(TableView&, int) { return nullptr; }
    // The row to select instead, or nothing to select no row.
    virtual std::optional<IndexPath> willSelectRow(TableView&, IndexPath path) { return path; }
    virtual void didSelectRow(TableView&, IndexPath) {}
    virtual TableViewCell::EditingStyle editingStyleForRow(TableView&, IndexPath) {
        return TableViewCell::EditingStyle::remove;
    }
};

} // namespace florelle
