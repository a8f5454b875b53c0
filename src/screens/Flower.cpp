// SPDX-License-Identifier: GPL-3.0-or-later
#include "Flower.h"

#include "CustomPetalView.h"
#include "FlowerCenter.h"
#include "foundation/Format.h"
#include "foundation/Strings.h"
#include "ui/AnimationGroup.h"
#include "ui/BasicAnimation.h"
#include "ui/Button.h"
#include "ui/ImageView.h"

namespace florelle {

namespace {

const Rect flowerFrame{10, 80, 300, 335};
const Rect centerButtonFrame{95, 110, 110, 110};
constexpr double petalButtonInset = 12;
const Size openedSize{900, 900};

std::shared_ptr<BasicAnimation> positionAnimation(Point to, double duration) {
    auto animation = std::make_shared<BasicAnimation>("position");
    animation->setToValue(to);
    animation->setDuration(duration);
    animation->setRemovedOnCompletion(false);
    animation->setFillMode(FillMode::forwards);
    return animation;
}

std::size_t slot(MainPageKind kind) {
    return static_cast<std::size_t>(kind);
}

} // namespace

Flower::Flower() : View(flowerFrame) {}

Flower::~Flower() = default;

void Flower::build(int skin) {
    skin_ = skin;
    for (const PetalRow& row : PetalTable::rows()) {
        auto petal = std::make_shared<CustomPetalView>(row.frame);
        std::string caption = Strings::localized(row.captionKey);
        petal->setSkin(skin);
        petal->setLblString(caption);
        petal->setLblRect(CustomPetalView::captionRect(caption, row.captionAnchor));
        petal->setTag(row.tag());
        addSubview(petal);
        sendSubviewToBack(petal.get());
        petals_[slot(row.page)] = petal;
    }
    center_ = std::make_unique<FlowerCenter>(*this);
    // The petal buttons lie over the petals, the centre button over them all.
    for (const PetalRow& row : PetalTable::rows()) {
        auto button =
            std::make_shared<Button>(row.frame.insetBy(petalButtonInset, petalButtonInset));
        button->setExclusiveTouch(true);
        bindPetalButton(*button, row.page);
        addSubview(button);
        petalButtons_[slot(row.page)] = button;
    }
    centerButton_ = std::make_shared<Button>(centerButtonFrame);
    auto held = [this] { center_->setHeld(true); };
    auto letGo = [this] { center_->setHeld(false); };
    centerButton_->onTouchDown = held;
    centerButton_->onTouchDragEnter = held;
    centerButton_->onTouchDragExit = letGo;
    centerButton_->onTouchUpInside = [this] {
        center_->setHeld(false);
        if (onCenterTapped) {
            onCenterTapped();
        }
    };
    centerButton_->onTouchUpOutside = letGo;
    centerButton_->onTouchCancel = letGo;
    addSubview(centerButton_);
    // The held centre's shadow lies over the centre button.
    addSubview(center_->shadow().shared_from_this());
}

void Flower::bindPetalButton(Button& button, MainPageKind kind) {
    button.onTouchDown = [this, kind] { hold(kind); };
    button.onTouchDragEnter = [this, kind] { hold(kind); };
    button.onTouchDragExit = [this, kind] { letGo(kind); };
    button.onTouchCancel = [this, kind] { letGo(kind); };
    button.onTouchUpInside = [this, kind] {
        if (onPetalTapped) {
            onPetalTapped(kind);
        }
    };
}

CustomPetalView& Flower::petal(MainPageKind kind) const {
    return *petals_[slot(kind)];
}

Button& Flower::petalButton(MainPageKind kind) const {
    return *petalButtons_[slot(kind)];
}

void Flower::movePetal(MainPageKind kind, Point center, const char* key) {
    if (holdMoves_) {
        petal(kind).addAnimation(positionAnimation(center, moveSeconds), key);
    }
}

void Flower::hold(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    petal(kind).setPetalImg(Image::named(PetalTable::picture(row.selectedPicture, skin_)));
    Point rest = row.restingCenter();
    movePetal(kind, {rest.x + row.holdShift.x, rest.y + row.holdShift.y}, "settingsHoldAnim");
}

void Flower::letGo(MainPageKind kind) {
    const PetalRow& row = PetalTable::row(kind);
    restingPicture_ = PetalTable::picture(row.normalPicture, skin_);
    petal(kind).setPetalImg(Image::named(restingPicture_));
    movePetal(kind, row.restingCenter(), "settingsLetGoAnim");
}

void Flower::openPetal(MainPageKind kind, Point screenOrigin) {
    const PetalRow& row = PetalTable::row(kind);
    pictureSwapped_ = true;
    CustomPetalView& opened = petal(kind);
    bringSubviewToFront(&opened);

    auto grow = std::make_shared<BasicAnimation>("bounds.size");
    grow->setToValue(openedSize);
    grow->setDuration(openSeconds);
    auto move = std::make_shared<BasicAnimation>("position");
    move->setToValue(
        Point{0.5 * screenOrigin.x + row.openTarget.x, 0.5 * screenOrigin.y + row.openTarget.y});
    move->setDuration(openSeconds);
    auto group = std::make_shared<AnimationGroup>();
    group->setAnimations({grow, move});
    group->setDuration(openSeconds);
    group->setRemovedOnCompletion(false);
    group->setDelegate(std::static_pointer_cast<Flower>(shared_from_this()));
    openAnimation_ = group;
    opened.addAnimation(group, format("groupAnim%d", row.number));
    View::animate(openSeconds, [this] { setAlpha(0); });

    opened_ = row.number;
    openedReturn_ = row.returnCenter();
    restingPicture_ = PetalTable::picture(row.normalPicture, skin_);
}

void Flower::animationDidStop(const Animation& animation, bool /*finished*/) {
    if (opened_ == 0 || &animation != openAnimation_.get()) {
        return;
    }
    CustomPetalView& opened = petal(PetalTable::numbered(opened_).page);
    opened.addAnimation(positionAnimation(openedReturn_, moveSeconds), "return");
    sendSubviewToBack(&opened);
    if (onPetalOpened) {
        onPetalOpened();
    }
}

void Flower::restorePetalPicture() {
    if (pictureSwapped_ && opened_ != 0) {
        petal(PetalTable::numbered(opened_).page).setPetalImg(Image::named(restingPicture_));
        pictureSwapped_ = false;
    }
}

void Flower::setSkin(int skin) {
    skin_ = skin;
    for (const PetalRow& row : PetalTable::rows()) {
        CustomPetalView& each = petal(row.page);
        each.setPetalImg(Image::named(PetalTable::picture(row.normalPicture, skin)));
        each.setSkin(skin);
    }
    restingPicture_ = PetalTable::picture("petal_settings_%d.png", skin);
    center_->setSkin(skin);
}

void Flower::setPetalsEnabled(bool enabled) {
    for (auto& button : petalButtons_) {
        button->setEnabled(enabled);
    }
}

} // namespace florelle
