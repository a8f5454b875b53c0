// SPDX-License-Identifier: GPL-3.0-or-later
#include "Button.h"

#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double titleFontSize = 15;
// Space between the picture and the title.
constexpr double pictureGap = 4;
constexpr double highlightDarkening = 0.35;
constexpr double disabledAlpha = 0.45;

} // namespace

Button::Button() : titleFont_(Font::boldSystemFont(titleFontSize)) {}

Button::Button(const Rect& frame)
    : Control(frame), titleFont_(Font::boldSystemFont(titleFontSize)) {}

void Button::setTitle(const std::string& title, unsigned state) {
    if (titles_.set(state, title)) {
        setNeedsDisplay();
    }
}

std::string Button::titleForState(unsigned state) const {
    const std::string* title = titles_.find(state);
    return title ? *title : std::string();
}

void Button::setTitleColor(const Color& color, unsigned state) {
    if (titleColors_.set(state, color)) {
        setNeedsDisplay();
    }
}

Color Button::titleColorForState(unsigned state) const {
    const Color* color = titleColors_.find(state);
    return color ? *color : Color::white();
}

void Button::setImage(const Image& image, unsigned state) {
    if (images_.set(state, image)) {
        setNeedsDisplay();
    }
}

Image Button::imageForState(unsigned state) const {
    const Image* image = images_.find(state);
    return image ? *image : Image();
}

void Button::setBackgroundImage(const Image& image, unsigned state) {
    if (backgroundImages_.set(state, image)) {
        setNeedsDisplay();
    }
}

Image Button::backgroundImageForState(unsigned state) const {
    const Image* image = backgroundImages_.find(state);
    return image ? *image : Image();
}

void Button::setTitleFont(const Font& font) {
    if (font.name() == titleFont_.name() && font.size() == titleFont_.size()) {
        return;
    }
    titleFont_ = font;
    setNeedsDisplay();
}

void Button::drawPicture(GraphicsContext& context, const ControlStateTable<Image>& pictures,
                         const Rect& rect) const {
    unsigned current = state();
    const Image* picture = pictures.find(current);
    if (!picture || picture->isEmpty()) {
        return;
    }
    bool standIn = pictures.own(current) == nullptr;
    context.save();
    if (standIn && (current & controlStateDisabled)) {
        context.setAlpha(context.alpha() * disabledAlpha);
    }
    context.drawImage(*picture, rect);
    if (standIn && (current & controlStateHighlighted)) {
        // Darken only where the picture has pixels.
        context.clipToMask(rect, *picture);
        context.setFillColor(Color::black().withAlpha(highlightDarkening));
        context.fillRect(rect);
    }
    context.restore();
}

void Button::draw(GraphicsContext& context, const Rect&) {
    Rect box = bounds();
    drawPicture(context, backgroundImages_, box);

    const Image* picture = images_.find(state());
    Size pictureSize = picture ? picture->size() : Size{};
    std::string title = currentTitle();
    Size titleSize = title.empty() ? Size{} : TextLayout(title, titleFont_).size();
    double gap = pictureSize.width > 0 && titleSize.width > 0 ? pictureGap : 0;
    double left = box.midX() - (pictureSize.width + gap + titleSize.width) / 2;

    if (pictureSize.width > 0) {
        drawPicture(
            context, images_,
            Rect(left, box.midY() - pictureSize.height / 2, pictureSize.width, pictureSize.height));
    }
    if (!title.empty()) {
        Color color = titleColorForState(state());
        if ((state() & controlStateDisabled) && !titleColors_.own(state())) {
            color = color.withAlpha(color.alpha() * disabledAlpha);
        }
        context.setFillColor(color);
        double titleLeft = left + pictureSize.width + gap;
        double available = box.maxX() - titleLeft;
        context.drawText(title,
                         Rect(titleLeft, box.midY() - titleSize.height / 2,
                              std::max(available, 0.0), titleSize.height),
                         titleFont_, LineBreakMode::TruncateMiddle);
    }
}

} // namespace florelle
