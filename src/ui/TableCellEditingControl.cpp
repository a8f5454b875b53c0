// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCellEditingControl.h"

#include "graphics/GraphicsContext.h"

#include <algorithm>

namespace florelle {

TableCellEditingControl::TableCellEditingControl(const Rect& frame,
                                                 TableViewCell::EditingStyle style)
    : Control(frame), style_(style) {}

void TableCellEditingControl::draw(GraphicsContext& context, const Rect&) {
    double size = std::min(bounds().width(), bounds().height()) - 8;
    Rect circle(bounds().midX() - size / 2, bounds().midY() - size / 2, size, size);
    bool insert = style_ == TableViewCell::EditingStyle::insert;
    context.setFillColor(insert ? Color(0.18, 0.70, 0.25) : Color(0.89, 0.16, 0.16));
    context.fillEllipse(circle);
    context.setFillColor(Color::white());
    double bar = size * 0.55;
    context.fillRect(Rect(circle.midX() - bar / 2, circle.midY() - 1.5, bar, 3));
    if (insert) {
        context.fillRect(Rect(circle.midX() - 1.5, circle.midY() - bar / 2, 3, bar));
    }
}

} // namespace florelle
