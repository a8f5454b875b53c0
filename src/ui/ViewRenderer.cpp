#include "ViewRenderer.h"

#include "View.h"
#include "graphics/GraphicsContext.h"

namespace florelle {

bool ViewRenderer::needsRender(const View& root) {
    return root.needsRedraw();
}

void ViewRenderer::render(View& root, GraphicsContext& context) {
    renderView(root, context);
    root.clearNeedsRedraw();
}

void ViewRenderer::renderView(View& view, GraphicsContext& context) {
    if (view.isHidden()) {
        return;
    }
    LayerState shown = view.presentationState();
    if (shown.opacity <= 0) {
        return;
    }
    AffineTransform toSuperview = shown.toSuperview();
    // A view squashed flat covers no pixel.
    if (!toSuperview.isInvertible()) {
        return;
    }
    context.save();
    context.concat(toSuperview);
    // A translucent view is composed on its own first, so that its parts
    // do not show through each other.
    bool layered = shown.opacity < 1;
    if (layered) {
        context.setAlpha(context.alpha() * shown.opacity);
        context.beginTransparencyLayer();
    }
    if (view.clipsToBounds()) {
        context.clipToRect(shown.bounds);
    }
    if (view.backgroundColor().alpha() > 0) {
        context.save();
        context.setFillColor(view.backgroundColor());
        context.fillRect(shown.bounds);
        context.restore();
    }
    context.save();
    view.draw(context, shown.bounds);
    context.restore();
    view.clearNeedsDisplay();
    for (const auto& subview : view.subviews()) {
        renderView(*subview, context);
    }
    if (layered) {
        context.endTransparencyLayer();
    }
    context.restore();
}

} // namespace florelle
