#pragma once

#include "ui/View.h"

namespace florelle {

// The soft shadow under the month grid, as high as its picture.
class CalGridShadowView : public View {
public:
    explicit CalGridShadowView(double width);
    void draw(GraphicsContext& context, const Rect& dirty) override;
};

} // namespace florelle
