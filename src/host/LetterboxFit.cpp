// SPDX-License-Identifier: GPL-3.0-or-later
#include "LetterboxFit.h"

#include <algorithm>

namespace florelle {

LetterboxFit::LetterboxFit(Size content, Size pixels) : content_(content), pixels_(pixels) {
    if (content.width <= 0 || content.height <= 0 || pixels.width <= 0 || pixels.height <= 0) {
        return;
    }
    scale_ = std::min(pixels.width / content.width, pixels.height / content.height);
    offset_ = {(pixels.width - content.width * scale_) / 2,
               (pixels.height - content.height * scale_) / 2};
}

Rect LetterboxFit::contentRect() const {
    return {offset_, {content_.width * scale_, content_.height * scale_}};
}

Point LetterboxFit::pointAtPixel(Point pixel) const {
    return {(pixel.x - offset_.x) / scale_, (pixel.y - offset_.y) / scale_};
}

Point LetterboxFit::pointAtWindowPosition(Point position, Size windowSize) const {
    if (windowSize.width <= 0 || windowSize.height <= 0) {
        return pointAtPixel(position);
    }
    return pointAtPixel({position.x * pixels_.width / windowSize.width,
                         position.y * pixels_.height / windowSize.height});
}

Point LetterboxFit::pointAtFraction(Point fraction) const {
    return pointAtPixel({fraction.x * pixels_.width, fraction.y * pixels_.height});
}

} // namespace florelle
