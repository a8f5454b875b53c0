#include "CalArrowButton.h"

#include "graphics/GraphicsContext.h"

#include <cmath>

namespace florelle {

CalArrowButton::CalArrowButton(Rect frame, std::string imageName)
    : Control(frame), imageName_(std::move(imageName)) {}

void CalArrowButton::draw(GraphicsContext& context, const Rect&) {
    Image image = Image::named(imageName_);
    Size size = image.size();
    Rect area = bounds();
    Point corner{std::floor(area.midX() - size.width / 2),
                 std::floor(area.midY() - size.height / 2)};
    if (isHighlighted()) {
        context.setAlpha(0.5);
    }
    context.drawImage(image, corner);
}

} // namespace florelle
