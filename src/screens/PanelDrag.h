// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <optional>

namespace florelle {

// The rules of dragging the main screen's info panel with a finger, in the
// main view's coordinates: where a drag may start, the band the panel's
// centre may move in, and whether a release raises or lowers the panel.
class PanelDrag {
public:
    static constexpr double downCenterY = 660;
    static constexpr double upCenterY = 234;
    // A drag on the lowered panel starts below this y; on the raised one above upGrabLimit.
    static constexpr double downGrabLimit = 430;
    static constexpr double upGrabLimit = 60;

    enum class Release { none, raise, lower };

    // A finger went down; the panel's centre is where it is now.
    void began(Point touch, Point panelCenter, bool isUp);
    // The finger moved: the panel's new centre when it follows, else nothing.
    // Either way it records what a release would ask for.
    std::optional<Point> moved(Point touch, bool isUp);
    // The finger was lifted at `touch`: what to do with the panel. Clears the
    // gesture.
    Release ended(Point touch);

    bool isMoving() const { return move_; }
    bool wantsUp() const { return bringToUp_; }
    bool wantsDown() const { return bringToDown_; }
    // Clears what the gesture asked for.
    void clear();

private:
    int xInfoViewCoord_ = 0;
    int yInfoViewCoord_ = 0;
    bool move_ = false;
    bool bringToUp_ = false;
    bool bringToDown_ = false;
};

} // namespace florelle
