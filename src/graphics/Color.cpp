// SPDX-License-Identifier: GPL-3.0-or-later
#include "Color.h"

namespace florelle {

Color Color::pattern(const Image& image) {
    Color color(1, 1, 1, 1);
    color.pattern_ = std::make_shared<const Image>(image);
    return color;
}

Color Color::withAlpha(double alpha) const {
    Color color = *this;
    color.alpha_ = alpha;
    return color;
}

bool operator==(const Color& left, const Color& right) {
    return left.red_ == right.red_ && left.green_ == right.green_ && left.blue_ == right.blue_ &&
           left.alpha_ == right.alpha_ && left.pattern_ == right.pattern_;
}

} // namespace florelle
