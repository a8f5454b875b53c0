// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Image.h"
#include "ui/View.h"

#include <memory>
#include <string>

namespace florelle {

class PetalCaption;

// One petal of the flower: its picture over the whole view and its caption
// in bold 12 points, in the skin's caption colour. A petal growing under an
// animation of its bounds stretches its picture, kept as drawn, while the
// caption keeps its size.
class CustomPetalView : public View {
public:
    static constexpr double captionFontSize = 12;

    explicit CustomPetalView(const Rect& frame);

    const std::string& lblString() const;
    void setLblString(const std::string& caption);
    const Image& petalImg() const { return petalImg_; }
    void setPetalImg(const Image& picture);
    int skin() const { return skin_; }
    void setSkin(int skin);
    Rect lblRect() const;
    void setLblRect(const Rect& rect);
    // The caption rectangle for a caption centred on `anchor`'s x with its
    // top at `anchor`'s y.
    static Rect captionRect(const std::string& caption, Point anchor);

    void draw(GraphicsContext& context, const Rect& dirty) override;
    std::string displayedText() const override { return lblString(); }

private:
    std::shared_ptr<PetalCaption> caption_;
    Image petalImg_;
    int skin_ = 0;
};

} // namespace florelle
