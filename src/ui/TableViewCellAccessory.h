// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TableViewCell.h"
#include "View.h"

namespace florelle {

// The mark at the right edge of a cell: a check mark or a disclosure chevron.
class TableViewCellAccessory : public View {
public:
    explicit TableViewCellAccessory(TableViewCell::Accessory kind);
    TableViewCell::Accessory kind() const { return kind_; }
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    TableViewCell::Accessory kind_;
};

} // namespace florelle
