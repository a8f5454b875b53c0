// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace florelle::testing {

// Writes small pictures for the tests, so that no binary files are kept.
class TestPictures {
public:
    // A PNG of width × height pixels, each pixel coloured by colorAt(x, y).
    static void writePng(const std::filesystem::path& path, int width, int height,
                         const std::function<Color(int x, int y)>& colorAt);
    static void writePng(const std::filesystem::path& path, int width, int height, Color color);
    // An opaque JPEG of one colour.
    static void writeJpeg(const std::filesystem::path& path, int width, int height, Color color);
};

// Each component (and alpha) of actual lies within tolerance of expected.
::testing::AssertionResult colorNear(const Color& actual, const Color& expected,
                                     double tolerance = 0.02);

} // namespace florelle::testing
