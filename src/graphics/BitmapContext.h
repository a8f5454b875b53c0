// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/GraphicsContext.h"

#include <filesystem>

namespace florelle {

// Draws into pixels of its own (size × scale, rounded up; transparent at
// first) that can be read, saved as PNG or turned into a picture.
class BitmapContext : public GraphicsContext {
public:
    BitmapContext(Size size, double scale);

    int pixelWidth() const;
    int pixelHeight() const;
    // The colour of one pixel (not premultiplied); clear outside the bitmap.
    Color pixel(int x, int y);
    // The pixel under a point of the context's own coordinates.
    Color pixelAt(Point point);
    // The pixels as Cairo keeps them (premultiplied ARGB32 in native byte
    // order), row after row, bytesPerRow() apart.
    const unsigned char* data();
    int bytesPerRow() const;
    // A picture of what was drawn so far, at the context's scale.
    Image image();
    // False, with a log line, when the file cannot be written.
    bool savePng(const std::filesystem::path& path);
};

} // namespace florelle
