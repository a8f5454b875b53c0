// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelDrag.h"

namespace florelle {

namespace {

constexpr double bandTop = 235;
constexpr double bandBottom = 660;
constexpr double lowerBelowWhenUp = 300;
constexpr double raiseAboveWhenDown = 580;

} // namespace

void PanelDrag::began(Point touch, Point panelCenter, bool isUp) {
    xInfoViewCoord_ = static_cast<int>(panelCenter.x);
    yInfoViewCoord_ = static_cast<int>(touch.y - panelCenter.y);
    move_ = isUp ? touch.y < upGrabLimit : touch.y > downGrabLimit;
}

std::optional<Point> PanelDrag::moved(Point touch, bool isUp) {
    double u = touch.y - yInfoViewCoord_;
    std::optional<Point> center;
    if (u > bandTop && u < bandBottom && move_) {
        center = Point{static_cast<double>(xInfoViewCoord_), u};
    }
    bool lower = isUp ? u > lowerBelowWhenUp : u >= raiseAboveWhenDown;
    bringToDown_ = lower;
    bringToUp_ = !lower;
    return center;
}

PanelDrag::Release PanelDrag::ended(Point touch) {
    if (touch.y > 420 && touch.y < 480) {
        bringToUp_ = true;
        bringToDown_ = false;
    } else if (touch.y > 0 && touch.y < 50 && touch.x > 120) {
        bringToDown_ = true;
        bringToUp_ = false;
    }
    Release release = bringToUp_ ? Release::raise : bringToDown_ ? Release::lower : Release::none;
    clear();
    return release;
}

void PanelDrag::clear() {
    move_ = false;
    bringToUp_ = false;
    bringToDown_ = false;
}

} // namespace florelle
