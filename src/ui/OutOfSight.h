// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <optional>

namespace florelle {

class View;

// Whether nothing of a view can be seen as it is shown now: it or a view
// it is in is hidden or wholly clear, or views in front of it (later
// siblings of it or of a view it is in) cover all of it with opaque
// content (an opaque background colour, or a picture without clear pixels
// stretched over the bounds), neither turned nor faded, or it lies outside
// its window or `shown`, the part of the window (in its coordinates) the
// screen shows. A view without a superview is in sight.
bool isOutOfSight(const View& view, const std::optional<Rect>& shown = std::nullopt);

} // namespace florelle
