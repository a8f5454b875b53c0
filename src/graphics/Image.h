// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"
#include "graphics/ImageOrientation.h"

#include <filesystem>
#include <string_view>

namespace florelle {

// A picture: pixels that never change, how many pixels make a point, how it is
// turned, and which parts keep their size when it is stretched. Copies share
// the pixels. An empty picture has size zero and draws nothing.
class Image {
public:
    Image() = default;

    // The application's picture "name" ("pen_icon.png", "Cal.bundle/cal_tile.png",
    // "bg_0.jpg"; no extension means PNG). "name@2x.png" is preferred when it
    // exists and gives a picture of scale 2. Pictures are loaded once; a
    // missing one is logged once and comes back empty.
    static Image named(std::string_view name);
    // A PNG or JPEG file, told apart by content. Unreadable files are logged
    // and give an empty picture.
    static Image fromFile(const std::filesystem::path& path, double scale = 1);
    // Takes over an ARGB32 (premultiplied) image surface.
    static Image fromSurface(CairoSurface surface, double scale);

    bool isEmpty() const { return !surface_; }
    // The size in points as shown: pixels ÷ scale, turned by the orientation.
    Size size() const;
    double scale() const { return scale_; }
    int pixelWidth() const;
    int pixelHeight() const;
    ImageOrientation orientation() const { return orientation_; }

    Image withOrientation(ImageOrientation orientation) const;
    Image withScale(double scale) const;

    // Stretching keeps the left cap (points) and the part right of the one
    // point after it at their size and stretches that one point; likewise the
    // top cap, the point below it and the rest. A cap of 0 stretches the
    // whole picture along that axis.
    Image stretchable(double leftCapWidth, double topCapHeight) const;
    double leftCapWidth() const { return leftCapWidth_; }
    double topCapHeight() const { return topCapHeight_; }

    // The picture as a mask: white where it is white, clear where it is
    // black, partly clear for greys (and where the picture itself is clear).
    Image alphaFromLuminance() const;

    cairo_surface_t* surface() const { return surface_.get(); }

    // The same pixels shown the same way.
    friend bool operator==(const Image& left, const Image& right);

private:
    CairoSurface surface_;
    double scale_ = 1;
    ImageOrientation orientation_ = ImageOrientation::Up;
    double leftCapWidth_ = 0;
    double topCapHeight_ = 0;
};

} // namespace florelle
