// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Image.h"

#include <memory>

namespace florelle {

// A colour with red, green, blue and alpha from 0 to 1, or a picture that
// repeats over whatever is filled with it (its alpha then scales the picture).
class Color {
public:
    Color() = default;
    Color(double red, double green, double blue, double alpha = 1)
        : red_(red), green_(green), blue_(blue), alpha_(alpha) {}

    // A grey: 0 is black, 1 is white.
    static Color white(double level, double alpha = 1) { return {level, level, level, alpha}; }
    static Color black() { return {0, 0, 0}; }
    static Color white() { return {1, 1, 1}; }
    static Color clear() { return {0, 0, 0, 0}; }
    static Color gray() { return white(0.5); }
    static Color lightGray() { return white(2.0 / 3); }
    static Color darkGray() { return white(1.0 / 3); }
    static Color red() { return {1, 0, 0}; }
    static Color green() { return {0, 1, 0}; }
    static Color blue() { return {0, 0, 1}; }
    static Color yellow() { return {1, 1, 0}; }
    static Color orange() { return {1, 0.5, 0}; }
    // Repeats the picture at its size; an empty picture paints nothing.
    static Color pattern(const Image& image);

    double redComponent() const { return red_; }
    double greenComponent() const { return green_; }
    double blueComponent() const { return blue_; }
    double alpha() const { return alpha_; }
    Color withAlpha(double alpha) const;

    bool isPattern() const { return pattern_ != nullptr; }
    // The repeated picture; null for a plain colour.
    const Image* patternImage() const { return pattern_.get(); }

    friend bool operator==(const Color& left, const Color& right);

private:
    double red_ = 0;
    double green_ = 0;
    double blue_ = 0;
    double alpha_ = 0;
    std::shared_ptr<const Image> pattern_;
};

} // namespace florelle
