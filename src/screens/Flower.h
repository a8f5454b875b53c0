// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PetalTable.h"
#include "ui/AnimationDelegate.h"
#include "ui/View.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace florelle {

class Button;
class CustomPetalView;
class FlowerCenter;

// The flower of the main screen: six petals around the centre. A held petal
// moves out and shows its selected picture; a tapped one grows over the
// screen while the flower fades, then returns behind the others.
class Flower : public View, public AnimationDelegate {
public:
    static constexpr double moveSeconds = 0.4;
    static constexpr double openSeconds = 0.6;

    Flower();
    ~Flower() override;

    // Builds the petals and the centre in the skin; once, before use.
    void build(int skin);

    // A tapped petal and a tapped centre.
    std::function<void(MainPageKind)> onPetalTapped;
    std::function<void()> onCenterTapped;
    // The opened petal has grown over the screen.
    std::function<void()> onPetalOpened;

    // Grows the petal over a screen whose frame starts at `screenOrigin`.
    void openPetal(MainPageKind kind, Point screenOrigin);
    // The opened petal shows its normal picture again.
    void restorePetalPicture();
    // The number (1…6) of the petal opened last; 0 before any.
    int openedPetal() const { return opened_; }

    void setSkin(int skin);
    void setPetalsEnabled(bool enabled);
    // Holding a petal only swaps its picture on platforms that cannot move it.
    void setHoldMoves(bool moves) { holdMoves_ = moves; }

    CustomPetalView& petal(MainPageKind kind) const;
    Button& petalButton(MainPageKind kind) const;
    Button& centerButton() const { return *centerButton_; }
    FlowerCenter& center() const { return *center_; }

    void animationDidStop(const Animation& animation, bool finished) override;

private:
    void bindPetalButton(Button& button, MainPageKind kind);
    void hold(MainPageKind kind);
    void letGo(MainPageKind kind);
    void movePetal(MainPageKind kind, Point center, const char* key);

    std::array<std::shared_ptr<CustomPetalView>, 6> petals_;
    std::array<std::shared_ptr<Button>, 6> petalButtons_;
    std::unique_ptr<FlowerCenter> center_;
    std::shared_ptr<Button> centerButton_;
    std::shared_ptr<Animation> openAnimation_;
    int skin_ = 0;
    int opened_ = 0;
    Point openedReturn_;
    // The picture the opened petal gets back when the panel comes down.
    std::string restingPicture_;
    bool pictureSwapped_ = false;
    bool holdMoves_ = true;
};

} // namespace florelle
