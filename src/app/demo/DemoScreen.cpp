// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoScreen.h"

#include "TypingLabel.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

#include <numbers>

namespace florelle {

namespace {

const Color background{0.99, 0.93, 0.94};
const Color rose{0.80, 0.25, 0.40};
const Color deepRose{0.55, 0.12, 0.26};

std::shared_ptr<Label> makeLabel(const Rect& frame, const std::string& text, const Font& font,
                                 const Color& color) {
    auto label = std::make_shared<Label>(frame);
    label->setText(text);
    label->setFont(font);
    label->setTextColor(color);
    label->setTextAlignment(TextAlignment::Center);
    return label;
}

std::shared_ptr<View> swatch(const Rect& frame, const Color& color) {
    auto view = std::make_shared<View>(frame);
    view->setBackgroundColor(color);
    return view;
}

} // namespace

DemoScreen::DemoScreen(const Rect& frame) : View(frame) {
    setBackgroundColor(background);
}

void DemoScreen::build() {
    auto title =
        makeLabel(Rect(0, 34, 320, 36), "Florelle", Font::named("Helvetica-Bold", 30), deepRose);
    title->setShadowColor(Color::white());
    title->setShadowOffset({0, 1});
    addSubview(title);
    addSubview(makeLabel(Rect(20, 70, 280, 20), "Platform demo: tap, drag, type",
                         Font::systemFont(14), Color::darkGray()));

    auto picture = std::make_shared<ImageView>(Rect(100, 100, 120, 120));
    picture->setImage(Image::named("center0_0.png"));
    picture->setContentMode(ContentMode::scaleAspectFit);
    addSubview(picture);

    box_ = std::make_shared<View>(Rect(30, 240, 40, 40));
    box_->setBackgroundColor(rose);
    addSubview(box_);

    button_ = std::make_shared<Button>(Rect(90, 300, 140, 44));
    button_->setBackgroundColor(deepRose);
    button_->setTitle("Animate");
    button_->setTitleColor(Color::white());
    button_->setTitleColor(Color::white(0.75), controlStateHighlighted);
    auto self = std::static_pointer_cast<DemoScreen>(shared_from_this());
    std::weak_ptr<DemoScreen> weak = self;
    button_->onTouchUpInside = [weak] {
        if (auto screen = weak.lock()) {
            screen->animateBox();
        }
    };
    addSubview(button_);

    count_ = makeLabel(Rect(0, 352, 320, 20), "Animations finished: 0", Font::systemFont(14),
                       Color::darkGray());
    addSubview(count_);

    typing_ = std::make_shared<TypingLabel>(Rect(20, 380, 280, 32), "Type on the keyboard");
    typing_->setBackgroundColor(Color::white());
    typing_->setTextAlignment(TextAlignment::Center);
    addSubview(typing_);

    // Swatches: plain, half transparent, turned by 45°, and one clipped by its parent.
    addSubview(swatch(Rect(40, 430, 40, 30), rose));
    auto translucent = swatch(Rect(100, 430, 40, 30), rose);
    translucent->setAlpha(0.5);
    addSubview(translucent);
    auto turned = swatch(Rect(165, 430, 30, 30), rose);
    turned->setTransform(AffineTransform::rotation(std::numbers::pi / 4));
    addSubview(turned);
    auto clipper = swatch(Rect(220, 430, 60, 30), Color::white());
    clipper->setClipsToBounds(true);
    clipper->addSubview(swatch(Rect(30, 10, 60, 60), rose));
    addSubview(clipper);
}

void DemoScreen::animateBox() {
    boxMoved_ = !boxMoved_;
    std::weak_ptr<DemoScreen> weak = std::static_pointer_cast<DemoScreen>(shared_from_this());
    bool moved = boxMoved_;
    View::animate(
        0.6, 0, AnimationCurve::easeInOut,
        [this, moved] {
            box_->setCenter({moved ? 270.0 : 50.0, 260});
            box_->setTransform(moved ? AffineTransform::rotation(std::numbers::pi / 2)
                                     : AffineTransform());
            box_->setAlpha(moved ? 0.4 : 1);
        },
        [weak](bool finished) {
            auto screen = weak.lock();
            if (!screen || !finished) {
                return;
            }
            ++screen->finished_;
            screen->count_->setText("Animations finished: " + std::to_string(screen->finished_));
        });
}

} // namespace florelle
