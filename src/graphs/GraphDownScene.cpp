// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphDownScene.h"

#include "graphics/GraphicsContext.h"
#include "graphs/GraphIconDrawing.h"

namespace florelle {

void GraphDownScene::draw(GraphicsContext& context, const Rect& /*dirty*/) {
    const auto& groups = graphDataItems();
    const int total = static_cast<int>(groups.size());
    for (int section = 0; section < total; ++section) {
        int position = beginSection(section, total);
        for (const auto& item : groups[section].values) {
            drawTurnedIcon(context, item.imageNameOver,
                           Rect(iconX, position + iconInset, iconSize, iconSize));
            position = advanceToNextItem(position);
        }
    }
}

} // namespace florelle
