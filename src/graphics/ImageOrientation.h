// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// How a picture's stored pixels are turned when it is shown.
enum class ImageOrientation {
    Up,            // as stored
    Down,          // turned half a turn
    Left,          // turned a quarter turn counterclockwise
    Right,         // turned a quarter turn clockwise
    UpMirrored,    // mirrored left to right
    DownMirrored,  // mirrored top to bottom
    LeftMirrored,  // mirrored left to right, then turned a quarter turn counterclockwise
    RightMirrored, // mirrored left to right, then turned a quarter turn clockwise
};

} // namespace florelle
