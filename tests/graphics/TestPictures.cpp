// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPictures.h"

#include <cairo.h>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <turbojpeg.h>
#include <vector>

namespace florelle::testing {

void TestPictures::writePng(const std::filesystem::path& path, int width, int height,
                            const std::function<Color(int x, int y)>& colorAt) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cairo = cairo_create(surface);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color color = colorAt(x, y);
            cairo_set_source_rgba(cairo, color.redComponent(), color.greenComponent(),
                                  color.blueComponent(), color.alpha());
            cairo_rectangle(cairo, x, y, 1, 1);
            cairo_fill(cairo);
        }
    }
    cairo_destroy(cairo);
    ASSERT_EQ(cairo_surface_write_to_png(surface, path.c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(surface);
}

void TestPictures::writePng(const std::filesystem::path& path, int width, int height, Color color) {
    writePng(path, width, height, [color](int, int) { return color; });
}

void TestPictures::writeJpeg(const std::filesystem::path& path, int width, int height,
                             Color color) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = static_cast<unsigned char>(std::lround(color.redComponent() * 255));
        pixels[i + 1] = static_cast<unsigned char>(std::lround(color.greenComponent() * 255));
        pixels[i + 2] = static_cast<unsigned char>(std::lround(color.blueComponent() * 255));
    }
    tjhandle encoder = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(encoder, pixels.data(), width, 0, height, TJPF_RGB, &jpeg, &size,
                          TJSAMP_444, 95, 0),
              0);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg), static_cast<std::streamsize>(size));
    tjFree(jpeg);
    tjDestroy(encoder);
}

::testing::AssertionResult colorNear(const Color& actual, const Color& expected, double tolerance) {
    auto close = [tolerance](double a, double b) { return std::abs(a - b) <= tolerance; };
    // A clear pixel has no colour worth comparing.
    bool clearBoth = actual.alpha() <= tolerance && expected.alpha() <= tolerance;
    if (clearBoth || (close(actual.redComponent(), expected.redComponent()) &&
                      close(actual.greenComponent(), expected.greenComponent()) &&
                      close(actual.blueComponent(), expected.blueComponent()) &&
                      close(actual.alpha(), expected.alpha()))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << actual.redComponent() << ", " << actual.greenComponent() << ", "
           << actual.blueComponent() << ", " << actual.alpha() << "), expected ("
           << expected.redComponent() << ", " << expected.greenComponent() << ", "
           << expected.blueComponent() << ", " << expected.alpha() << ")";
}

} // namespace florelle::testing
