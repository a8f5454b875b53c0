// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"
#include "TableViewCell.h"

namespace florelle {

// The round control at the left of a cell being edited: a red minus that
// asks for the delete button, or a green plus that inserts.
class TableCellEditingControl : public Control {
public:
    TableCellEditingControl(const Rect& frame, TableViewCell::EditingStyle style);
    TableViewCell::EditingStyle style() const { return style_; }
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    TableViewCell::EditingStyle style_;
};

} // namespace florelle
