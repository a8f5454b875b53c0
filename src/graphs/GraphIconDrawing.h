// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <string>

namespace florelle {

class GraphicsContext;

// Draws the named picture into the square, turned a quarter turn about the
// square's centre so that it stands beside the turned bars.
void drawTurnedIcon(GraphicsContext& context, const std::string& imageName, const Rect& square);

} // namespace florelle
