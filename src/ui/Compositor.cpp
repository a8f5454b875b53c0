// SPDX-License-Identifier: GPL-3.0-or-later
#include "Compositor.h"

#include "View.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <algorithm>
#include <cmath>

namespace florelle {

namespace {

// Below this a kept picture would be copied too often to keep it as pixels.
constexpr double smallestRasterLimit = 512.0 * 512.0;

Rect wholePixels(const Rect& rect) {
    if (rect.isEmpty()) {
        return {};
    }
    double left = std::floor(rect.minX());
    double top = std::floor(rect.minY());
    return {left, top, std::ceil(rect.maxX()) - left, std::ceil(rect.maxY()) - top};
}

// The stacking of a view's subview at `index`, unlike any of its siblings'
// or of the views before them in the order of drawing.
std::uint64_t stackingOf(std::uint64_t parent, std::size_t index) {
    std::uint64_t mixed = parent ^ (index + 0x9e3779b97f4a7c15ULL + (parent << 6) + (parent >> 2));
    return mixed * 0xff51afd7ed558ccdULL;
}

Rect overlap(const Rect& first, const Rect& second) {
    return first.intersects(second) ? first.intersection(second) : Rect();
}

double nearestWhole(double value) {
    return std::floor(value + 0.5);
}

// Where a view's grid of pixels goes: its top-left corner (anchor) on a
// whole pixel when the view is only shifted, turned by quarter turns or
// mirrored at the target's scale; exactly where it falls otherwise. A turn
// that misses a quarter turn by less than half a pixel across the view
// (-1.5705 for a quarter turn) counts as the quarter turn.
struct GridPlacement {
    AffineTransform layerToDevice;
    bool aligned = false;
};

GridPlacement placeGrid(const AffineTransform& toDevice, Point anchor, Size size, double scale) {
    AffineTransform exact = AffineTransform::scale(1 / scale, 1 / scale)
                                .concat(AffineTransform::translation(anchor.x, anchor.y))
                                .concat(toDevice);
    double entries[] = {exact.a, exact.b, exact.c, exact.d};
    double rounded[4];
    double miss = 0;
    for (int index = 0; index < 4; ++index) {
        rounded[index] = std::clamp(std::round(entries[index]), -1.0, 1.0);
        miss = std::max(miss, std::abs(entries[index] - rounded[index]));
    }
    double extent = std::max({size.width * scale, size.height * scale, 1.0});
    bool quarterTurns = std::abs(rounded[0] * rounded[3] - rounded[1] * rounded[2]) == 1;
    if (!quarterTurns || miss * extent > 0.5) {
        return {exact, false};
    }
    return {{rounded[0], rounded[1], rounded[2], rounded[3], nearestWhole(exact.tx),
             nearestWhole(exact.ty)},
            true};
}

// The bounds as they land on the target, edges on whole pixels.
Rect alignedBounds(const GridPlacement& grid, Size size, double scale) {
    Rect landed = grid.layerToDevice.apply(Rect(0, 0, size.width * scale, size.height * scale));
    double left = nearestWhole(landed.minX());
    double top = nearestWhole(landed.minY());
    return {left, top, nearestWhole(landed.maxX()) - left, nearestWhole(landed.maxY()) - top};
}

// The bounds a view's content is drawn for and where its points go: the
// bounds shown, or for a view that stretches its content under a size
// animation its own bounds, spread over the bounds shown.
struct DrawnContent {
    Rect bounds;
    AffineTransform toDevice;
};

DrawnContent drawnContentOf(const View& view, const Rect& shownBounds,
                            const AffineTransform& toDevice) {
    Rect own = view.bounds();
    if (!view.stretchesContent() || own.size == shownBounds.size || !(own.width() > 0) ||
        !(own.height() > 0)) {
        return {shownBounds, toDevice};
    }
    AffineTransform stretch =
        AffineTransform::translation(-own.minX(), -own.minY())
            .concat(AffineTransform::scale(shownBounds.width() / own.width(),
                                           shownBounds.height() / own.height()))
            .concat(AffineTransform::translation(shownBounds.minX(), shownBounds.minY()));
    return {own, stretch.concat(toDevice)};
}

} // namespace

const PixelRegion& Compositor::composite(const std::vector<View*>& roots, const Frame& frame) {
    GraphicsContext& target = frame.target;
    AffineTransform rootToDevice = target.deviceTransform();
    Rect area = wholePixels(frame.area);
    if (area != area_) {
        area_ = area;
        invalid_ = true;
    }
    double determinant = rootToDevice.a * rootToDevice.d - rootToDevice.b * rootToDevice.c;
    scale_ = std::sqrt(std::abs(determinant));
    if (!(scale_ > 0) || !std::isfinite(scale_)) {
        scale_ = 1;
    }
    // A view may draw beyond its bounds, as far as half the area away.
    margin_ = std::max(area.width(), area.height()) / scale_ / 2;
    rasterLimit_ = std::max(area.width() * area.height(), smallestRasterLimit);

    nodes_.clear();
    placed_.clear();
    drawCount_ = 0;
    for (std::size_t index = 0; index < roots.size(); ++index) {
        place(*roots[index], stackingOf(0, index), rootToDevice, area, 1);
    }
    damage_.clear();
    if (invalid_) {
        damage_.add(area);
        invalid_ = false;
    } else {
        findDamage();
    }
    damage_.intersect(area);
    coverFiltered();
    records_.swap(placed_);
    if (!afresh_) {
        for (View* root : roots) {
            root->clearNeedsRedraw();
        }
    }
    if (damage_.isEmpty()) {
        return damage_;
    }
    ++frameCount_;
    target.save();
    target.clipToDeviceRegion(damage_);
    if (frame.backdrop) {
        target.setBlendMode(BlendMode::Copy);
        target.setFillColor(*frame.backdrop);
        target.fillRect(target.clipBoundingBox());
        target.setBlendMode(BlendMode::Normal);
    }
    Rect damaged = damage_.extents();
    for (std::size_t index = 0; index < nodes_.size();) {
        paint(target, index, damaged);
    }
    target.restore();
    return damage_;
}

void Compositor::drawAfresh(const std::vector<View*>& roots, const Frame& frame) {
    Compositor fresh;
    fresh.afresh_ = true;
    fresh.composite(roots, frame);
}

Rect Compositor::place(View& view, std::uint64_t stacking, const AffineTransform& parentToDevice,
                       const Rect& clip, double alpha) {
    if (view.isHidden()) {
        return {};
    }
    LayerState shown = view.presentationState();
    AffineTransform toSuperview = shown.toSuperview();
    // A view squashed flat covers no pixel.
    if (!(shown.opacity > 0) || !toSuperview.isInvertible()) {
        return {};
    }
    AffineTransform toDevice = toSuperview.concat(parentToDevice);
    GridPlacement grid = placeGrid(toDevice, shown.bounds.origin, shown.bounds.size, scale_);
    DrawnContent drawn = drawnContentOf(view, shown.bounds, toDevice);
    GridPlacement contentGrid =
        drawn.bounds == shown.bounds
            ? grid
            : placeGrid(drawn.toDevice, drawn.bounds.origin, drawn.bounds.size, scale_);
    std::size_t at = nodes_.size();
    nodes_.emplace_back();
    Node node;
    node.layerToDevice = contentGrid.layerToDevice;
    node.opacity = shown.opacity;

    Rect inner = clip;
    if (view.clipsToBounds()) {
        Clip own;
        own.aligned = grid.aligned;
        own.bounds = shown.bounds;
        own.toDevice = toDevice;
        own.pixels = grid.aligned ? alignedBounds(grid, shown.bounds.size, scale_)
                                  : wholePixels(toDevice.apply(shown.bounds));
        inner = overlap(inner, own.pixels);
        node.clip = own;
    }
    Rect limit = view.clipsToBounds() ? drawn.bounds : drawn.bounds.insetBy(-margin_, -margin_);
    if (!inner.isEmpty() && drawn.toDevice.apply(limit).intersects(inner)) {
        node.content = contentOf(view, drawn.bounds, limit);
        if (node.content->isEmpty()) {
            node.content = nullptr;
        } else {
            Rect landed = wholePixels(contentGrid.layerToDevice.apply(node.content->pixelBounds()));
            // Filtering reaches a pixel beyond the edge, and so does text
            // drawn from a recording, its glyphs put on whole pixels.
            node.filtered = !contentGrid.aligned || !node.content->isRasterized();
            node.painted = overlap(node.filtered ? landed.insetBy(-1, -1) : landed, inner);
        }
    }

    double shownAlpha = alpha * shown.opacity;
    placed_[&view] = {view.superview(),
                      stacking,
                      node.painted,
                      node.layerToDevice,
                      node.content ? view.layer().version() : 0,
                      shownAlpha,
                      inner};

    Rect covered = node.painted;
    const auto& subviews = view.subviews();
    for (std::size_t child = 0; child < subviews.size(); ++child) {
        covered = covered.unionWith(
            place(*subviews[child], stackingOf(stacking, child), toDevice, inner, shownAlpha));
    }
    node.group = shown.opacity < 1 && nodes_.size() > at + 1;
    node.covered = covered;
    node.end = nodes_.size();
    nodes_[at] = std::move(node);
    return covered;
}

const LayerContent* Compositor::contentOf(View& view, const Rect& drawnBounds, const Rect& limit) {
    if (afresh_) {
        ++drawCount_;
        fresh_.push_back(ViewLayer::drawn(view, drawnBounds, scale_, limit, rasterLimit_));
        return &fresh_.back();
    }
    ViewLayer& layer = view.layer();
    if (!layer.fits(view, drawnBounds, scale_, limit)) {
        ++drawCount_;
    }
    return &layer.content(view, drawnBounds, scale_, limit, rasterLimit_);
}

void Compositor::findDamage() {
    for (const auto& [view, now] : placed_) {
        auto before = records_.find(view);
        if (before == records_.end()) {
            damage_.add(now.painted);
        } else if (!(before->second == now)) {
            damage_.add(before->second.painted);
            damage_.add(now.painted);
        }
    }
    for (const auto& [view, before] : records_) {
        if (!placed_.contains(view)) {
            damage_.add(before.painted);
        }
    }
}

// Filtered content is always laid down whole, so that the rows of its
// filter start where they start when everything is laid down.
void Compositor::coverFiltered() {
    for (bool grown = true; grown;) {
        grown = false;
        for (const Node& node : nodes_) {
            if (node.filtered && damage_.intersects(node.painted) &&
                !damage_.contains(node.painted)) {
                damage_.add(node.painted);
                grown = true;
            }
        }
    }
}

void Compositor::paint(GraphicsContext& target, std::size_t& index, const Rect& damaged) const {
    const Node& node = nodes_[index];
    std::size_t end = node.end;
    if (!node.covered.intersects(damaged)) {
        index = end;
        return;
    }
    bool scoped = node.group || node.clip;
    if (scoped) {
        target.save();
    }
    if (node.group) {
        // The layer is as large as the clip: only what the group covers.
        target.clipToDeviceRegion(PixelRegion(node.covered));
        target.setAlpha(node.opacity);
        target.beginTransparencyLayer();
    }
    if (node.clip && node.clip->aligned) {
        target.clipToDeviceRegion(PixelRegion(node.clip->pixels));
    } else if (node.clip) {
        target.concat(node.clip->toDevice.concat(target.deviceTransform().invert()));
        target.clipToRect(node.clip->bounds);
    }
    if (node.content && node.painted.intersects(damaged)) {
        target.drawLayer(*node.content, node.layerToDevice, node.group ? 1 : node.opacity,
                         node.painted);
    }
    for (++index; index < end;) {
        paint(target, index, damaged);
    }
    if (node.group) {
        target.endTransparencyLayer();
    }
    if (scoped) {
        target.restore();
    }
}

} // namespace florelle
