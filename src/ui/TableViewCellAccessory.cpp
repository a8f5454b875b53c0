// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableViewCellAccessory.h"

#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

namespace florelle {

TableViewCellAccessory::TableViewCellAccessory(TableViewCell::Accessory kind) : kind_(kind) {
    setUserInteractionEnabled(false);
}

void TableViewCellAccessory::draw(GraphicsContext& context, const Rect&) {
    Point middle{bounds().midX(), bounds().midY()};
    Path path;
    if (kind_ == TableViewCell::Accessory::checkmark) {
        path.moveTo(Point{middle.x - 7, middle.y});
        path.lineTo(Point{middle.x - 2, middle.y + 6});
        path.lineTo(Point{middle.x + 8, middle.y - 8});
        context.setStrokeColor(Color(0.20, 0.31, 0.52));
        context.setLineWidth(3);
    } else {
        path.moveTo(Point{middle.x - 3, middle.y - 6});
        path.lineTo(Point{middle.x + 3, middle.y});
        path.lineTo(Point{middle.x - 3, middle.y + 6});
        context.setStrokeColor(Color::gray());
        context.setLineWidth(2.5);
    }
    context.setLineCap(LineCap::Round);
    context.setLineJoin(LineJoin::Round);
    context.strokePath(path);
}

} // namespace florelle
