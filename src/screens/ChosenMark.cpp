// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ChosenMark.h"

#include "graphics/BitmapContext.h"
#include "graphics/Path.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double ringWidth = 3;
// The tick's disc, as a share of the picture's width.
constexpr double badgeShare = 0.4;
constexpr double tickWidth = 2;

} // namespace

Image ChosenMark::over(const Image& picture, const Color& ink) {
    const Size size = picture.isEmpty() ? Size{40, 40} : picture.size();
    const Rect box(Point{0, 0}, size);
    BitmapContext bitmap(size, std::max(picture.scale(), 2.0));
    bitmap.drawImage(picture, box);

    bitmap.setStrokeColor(ink);
    bitmap.setLineWidth(ringWidth);
    bitmap.strokeEllipse(box.insetBy(ringWidth / 2, ringWidth / 2));

    const double badge = size.width * badgeShare;
    const Rect disc(size.width - badge, size.height - badge, badge, badge);
    bitmap.setFillColor(ink);
    bitmap.fillEllipse(disc);
    Path tick;
    tick.moveTo({disc.minX() + badge * 0.25, disc.minY() + badge * 0.52});
    tick.lineTo({disc.minX() + badge * 0.43, disc.minY() + badge * 0.7});
    tick.lineTo({disc.minX() + badge * 0.76, disc.minY() + badge * 0.32});
    bitmap.setStrokeColor(Color::white());
    bitmap.setLineWidth(tickWidth);
    bitmap.setLineCap(LineCap::Round);
    bitmap.strokePath(tick);
    return bitmap.image();
}

} // namespace florelle
