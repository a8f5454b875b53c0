// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

namespace florelle {

// Fits content of a fixed size in points into a window of any pixel size:
// one scale for both axes, as large as the window allows, the content
// centred and the rest left as bars. Maps pointer positions in the window
// back to the content's points (positions on a bar fall outside it).
class LetterboxFit {
public:
    // A window without pixels (minimised) keeps scale 1 at the origin.
    LetterboxFit(Size content, Size pixels);

    Size content() const { return content_; }
    Size pixels() const { return pixels_; }
    // Pixels per point.
    double scale() const { return scale_; }
    // The content's top-left corner, in pixels.
    Point offset() const { return offset_; }
    // Where the content lies, in pixels.
    Rect contentRect() const;

    // A position in pixels of the window.
    Point pointAtPixel(Point pixel) const;
    // A position in the window's own units, which HiDPI displays make fewer
    // than its pixels.
    Point pointAtWindowPosition(Point position, Size windowSize) const;
    // A position as fractions of the window's width and height (touch screens).
    Point pointAtFraction(Point fraction) const;

private:
    Size content_;
    Size pixels_;
    double scale_ = 1;
    Point offset_;
};

} // namespace florelle
