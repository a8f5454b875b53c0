// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/CairoHandles.h"

#include <cstdint>
#include <span>
#include <string>

namespace florelle {

// Turns the bytes of a PNG or JPEG file into an ARGB32 (premultiplied)
// surface. Pictures wider or taller than maximumSide pixels are refused, so
// a damaged or hostile header cannot make us allocate gigabytes.
class ImageDecoder {
public:
    static constexpr int maximumSide = 16384;

    // An empty handle and the reason in error when the bytes are no picture.
    static CairoSurface decode(std::span<const std::uint8_t> bytes, std::string& error);

private:
    static CairoSurface decodePng(std::span<const std::uint8_t> bytes, std::string& error);
    static CairoSurface decodeJpeg(std::span<const std::uint8_t> bytes, std::string& error);
};

} // namespace florelle
