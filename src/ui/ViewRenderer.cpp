// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewRenderer.h"

#include "Compositor.h"
#include "View.h"
#include "graphics/GraphicsContext.h"

namespace florelle {

bool ViewRenderer::needsRender(const View& root) {
    return root.needsRedraw();
}

void ViewRenderer::render(View& root, GraphicsContext& context) {
    Rect area = context.deviceTransform().apply(context.clipBoundingBox());
    Compositor().composite({&root}, {context, area, std::nullopt});
}

} // namespace florelle
