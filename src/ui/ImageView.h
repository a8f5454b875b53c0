// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "View.h"
#include "graphics/Image.h"

namespace florelle {

// How an image view places its picture in its bounds.
enum class ContentMode {
    scaleToFill,    // stretched to the bounds (caps of a stretchable picture kept)
    scaleAspectFit, // as large as fits whole, keeping its proportions, centred
    center,         // at its own size, centred (cut off by clipping, if any)
};

// A view that shows a picture. Made with a picture, it takes the picture's
// size; setting another picture later leaves the frame alone.
class ImageView : public View {
public:
    ImageView() = default;
    explicit ImageView(const Rect& frame) : View(frame) {}
    explicit ImageView(const Image& image);

    const Image& image() const { return image_; }
    void setImage(const Image& image);
    ContentMode contentMode() const { return contentMode_; }
    void setContentMode(ContentMode mode);

    // Resizes the view to the picture's size, keeping its top-left corner.
    void sizeToFit();

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    Image image_;
    ContentMode contentMode_ = ContentMode::scaleToFill;
};

} // namespace florelle
