#include "CalGridShadowView.h"

#include "graphics/GraphicsContext.h"

namespace florelle {

namespace {

Image shadowImage() {
    return Image::named("Cal.bundle/cal_grid_shadow.png");
}

} // namespace

CalGridShadowView::CalGridShadowView(double width)
    : View(Rect(0, 0, width, shadowImage().size().height)) {
    setUserInteractionEnabled(false);
}

void CalGridShadowView::draw(GraphicsContext& context, const Rect&) {
    context.drawImage(shadowImage(), bounds());
}

} // namespace florelle
