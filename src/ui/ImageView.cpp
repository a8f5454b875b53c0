// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageView.h"

#include "graphics/GraphicsContext.h"

#include <algorithm>

namespace florelle {

namespace {

Rect centred(Size size, const Rect& box) {
    return Rect(box.midX() - size.width / 2, box.midY() - size.height / 2, size.width, size.height);
}

} // namespace

ImageView::ImageView(const Image& image) : View(Rect(Point{}, image.size())), image_(image) {}

void ImageView::setImage(const Image& image) {
    if (image == image_) {
        return;
    }
    image_ = image;
    setNeedsDisplay();
}

void ImageView::setContentMode(ContentMode mode) {
    if (mode == contentMode_) {
        return;
    }
    contentMode_ = mode;
    setNeedsDisplay();
}

void ImageView::sizeToFit() {
    setFrame(Rect(frame().origin, image_.size()));
}

void ImageView::draw(GraphicsContext& context, const Rect&) {
    if (image_.isEmpty()) {
        return;
    }
    Rect box = bounds();
    Size size = image_.size();
    switch (contentMode_) {
    case ContentMode::scaleToFill:
        context.drawImage(image_, box);
        break;
    case ContentMode::scaleAspectFit: {
        if (size.width <= 0 || size.height <= 0) {
            return;
        }
        double factor = std::min(box.size.width / size.width, box.size.height / size.height);
        context.drawImage(image_, centred({size.width * factor, size.height * factor}, box));
        break;
    }
    case ContentMode::center:
        context.drawImage(image_, centred(size, box));
        break;
    }
}

} // namespace florelle
