// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LayerState.h"
#include "geometry/Geometry.h"
#include "graphics/Color.h"
#include "graphics/LayerContent.h"
#include "graphics/PixelRegion.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

namespace florelle {

class GraphicsContext;
class View;

// Lays trees of views onto a picture kept from frame to frame. Each frame
// finds what changed since the one before (views drawn again, moved, faded,
// turned, shown, hidden, restacked) and lays down again only those pixels,
// the frame's damage; a frame in which nothing changed touches nothing.
//
// Views are laid down from their layers (ViewLayer) as they are shown now
// (presentation geometry, hidden, opacity, clipping). A view moved by a shift
// (or turned by quarter turns) lands with its top-left corner on a whole
// pixel, so its pixels are copied exactly as drawn; under other transforms
// they are filtered. A view that stretches its content keeps the content
// drawn for its own bounds through a size animation, filtered over the
// bounds shown. A translucent view with subviews is composed apart first, so
// that its parts do not show through each other.
class Compositor {
public:
    // Where a frame goes: the target, whose current coordinates are those of
    // the roots' superview; the target's pixels the trees may cover; and the
    // colour laid under them, if any.
    struct Frame {
        GraphicsContext& target;
        Rect area;
        std::optional<Color> backdrop;
    };

    // Brings the picture up to date with the trees (later ones on top) and
    // returns the pixels it changed. The first frame, and the first after
    // invalidate() or with another area, lays everything down.
    const PixelRegion& composite(const std::vector<View*>& roots, const Frame& frame);
    // The next frame lays everything down (the target lost its picture).
    void invalidate() { invalid_ = true; }

    // Frames that changed pixels, what the last one changed, and how many
    // views drew their content for it.
    long frameCount() const { return frameCount_; }
    const PixelRegion& lastDamage() const { return damage_; }
    int lastDrawCount() const { return drawCount_; }

    // The trees laid down whole with every view drawing its content afresh,
    // leaving what the views keep untouched: what a frame must look like.
    static void drawAfresh(const std::vector<View*>& roots, const Frame& frame);

private:
    struct Clip {
        // Whole pixels of the target, or the bounds through a transform.
        bool aligned = true;
        Rect pixels;
        Rect bounds;
        AffineTransform toDevice;
    };
    // A view that shows, in the order laid down.
    struct Node {
        const LayerContent* content = nullptr;
        AffineTransform layerToDevice;
        // Laid down through a filter (or from its recording), not copied.
        bool filtered = false;
        double opacity = 1;
        bool group = false;
        std::optional<Clip> clip;
        // Whole pixels its content covers, and with its subviews.
        Rect painted;
        Rect covered;
        // One past its last descendant.
        std::size_t end = 0;
    };
    // What a view looked like in a frame; any difference is damage.
    struct Record {
        const View* superview = nullptr;
        // Where it stands in the order of drawing: its index and its
        // ancestors' indices, mixed.
        std::uint64_t stacking = 0;
        Rect painted;
        AffineTransform layerToDevice;
        std::uint64_t version = 0;
        double alpha = 1;
        Rect clip;
        bool operator==(const Record&) const = default;
    };

    Rect place(View& view, std::uint64_t stacking, const AffineTransform& parentToDevice,
               const Rect& clip, double alpha);
    const LayerContent* contentOf(View& view, const Rect& drawnBounds, const Rect& limit);
    void findDamage();
    void coverFiltered();
    void paint(GraphicsContext& target, std::size_t& index, const Rect& damaged) const;

    std::vector<Node> nodes_;
    std::unordered_map<const View*, Record> records_;
    std::unordered_map<const View*, Record> placed_;
    PixelRegion damage_;
    Rect area_;
    bool invalid_ = true;
    long frameCount_ = 0;
    int drawCount_ = 0;
    double scale_ = 1;
    double margin_ = 0;
    double rasterLimit_ = 0;
    // Drawing afresh keeps the contents here instead of in the views.
    bool afresh_ = false;
    std::deque<LayerContent> fresh_;
};

} // namespace florelle
