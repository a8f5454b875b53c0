// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"
#include "graphics/CairoHandles.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Gradient.h"
#include "graphics/Image.h"
#include "graphics/Path.h"
#include "graphics/TextAttributes.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace florelle {

enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };
// How new drawing combines with what is there: Normal lays it over, Multiply
// darkens, Copy replaces, Clear erases.
enum class BlendMode { Normal, Multiply, Copy, Clear };

// Where drawing goes: a window, a bitmap or a PDF page. Coordinates are
// points with the origin at the top-left corner and y growing downwards;
// the context was made with the number of pixels per point.
// The state (transform, clip, colours, line, alpha, blend mode, shadow,
// antialiasing) starts as: identity, no clip, black fill and stroke, line
// width 1, alpha 1, Normal, no shadow, antialiasing on.
class LayerContent;
class PixelRegion;

class GraphicsContext {
public:
    GraphicsContext(CairoSurface target, double pixelScale);
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;
    // Ends open layers and masks, so that the target holds everything drawn.
    virtual ~GraphicsContext();

    double pixelScale() const { return pixelScale_; }

    void save();
    // Back to the state of the matching save(); an unmatched call does nothing.
    void restore();

    // A transform that would make the drawing vanish or break (zero or
    // infinite scale) is ignored.
    void translate(double dx, double dy);
    void scale(double sx, double sy);
    // Positive angles turn clockwise on screen.
    void rotate(double radians);
    void concat(const AffineTransform& transform);
    // From the current coordinates to the context's own points.
    AffineTransform transform() const;

    void clipToRect(Rect rect);
    void clipToPath(const Path& path);
    // Later drawing shows only through the mask's alpha, the mask stretched
    // into rect, and nowhere outside rect. Holds until the matching restore();
    // at the outermost level, until the context's result is read.
    void clipToMask(Rect rect, const Image& mask);
    Rect clipBoundingBox() const;

    void setFillColor(const Color& color);
    void setStrokeColor(const Color& color);
    const Color& fillColor() const { return state().fill; }
    void setLineWidth(double width);
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    void setAlpha(double alpha);
    double alpha() const { return state().alpha; }
    void setBlendMode(BlendMode mode);
    // Everything drawn afterwards casts a shadow of the colour, offset in the
    // context's own points (not turned or scaled by the transform) and, with
    // a blur (points), soft-edged.
    void setShadow(Size offset, const Color& color, double blur = 0);
    void clearShadow();
    void setAllowsAntialiasing(bool allows);

    void fillRect(Rect rect);
    void strokeRect(Rect rect);
    // Makes the rectangle fully transparent.
    void clearRect(Rect rect);
    void fillEllipse(Rect rect);
    void strokeEllipse(Rect rect);
    void fillPath(const Path& path);
    void strokePath(const Path& path);

    // The picture at its size with its top-left corner at point.
    void drawImage(const Image& image, Point point);
    // The picture stretched into rect, its caps kept.
    void drawImage(const Image& image, Rect rect);
    // Copies of the picture at its size filling rect from its top-left corner.
    void drawTiledImage(const Image& image, Rect rect);

    // Text in the fill colour, one line per paragraph, its top-left corner at
    // point; returns its size.
    Size drawText(std::string_view text, Point point, const Font& font);
    // Text broken into lines within rect's width, lines that do not fit its
    // height (or beyond maximumLines, if not 0) left out; returns the size of
    // what was drawn.
    Size drawText(std::string_view text, Rect rect, const Font& font, LineBreakMode mode,
                  TextAlignment alignment = TextAlignment::Left, int maximumLines = 0);
    // One line of text whose baseline starts at point; returns its size.
    Size drawTextAtBaseline(std::string_view text, Point point, const Font& font);

    // Fills the clip with the colours of the gradient along start → end;
    // extend paints beyond both ends with the end colours.
    void drawLinearGradient(const Gradient& gradient, Point start, Point end, bool extend);

    // Drawing until endTransparencyLayer() is collected and then laid down as
    // one picture, with the alpha, shadow and blend mode in force here.
    void beginTransparencyLayer();
    void endTransparencyLayer();

    // Compositing works in the target's pixels. This maps the current
    // coordinates to them.
    AffineTransform deviceTransform() const;
    // Later drawing shows only on these pixels of the target.
    void clipToDeviceRegion(const PixelRegion& pixels);
    // Lays down kept content; toDevice maps its grid (pixels, the anchor at
    // 0, 0) to the target's pixels. Pixels that land one to one on the
    // target's are copied unchanged. Other content is filtered, within
    // `within` only (the target's pixels it may touch): filters step along
    // each row from where it starts, so content laid down again under the
    // same clip gives the same pixels. Only the clip and the alpha given
    // apply, not the state's alpha, blend mode or shadow.
    void drawLayer(const LayerContent& layer, const AffineTransform& toDevice, double alpha,
                   const Rect& within);

protected:
    cairo_surface_t* target() const { return target_.get(); }
    cairo_t* cairo() const { return cairo_.get(); }
    // Applies the masks of the outermost level, so the target holds the result.
    void finishMasks();

private:
    struct Shadow {
        Size offset;
        Color color;
        double blur = 0;
    };
    struct Mask {
        CairoPattern pattern;
        Rect rect;
        cairo_matrix_t matrix;
    };
    struct State {
        Color fill = Color::black();
        Color stroke = Color::black();
        double alpha = 1;
        BlendMode blend = BlendMode::Normal;
        std::optional<Shadow> shadow;
        std::vector<Mask> masks;
        bool layer = false;
    };

    const State& state() const { return states_.back(); }
    State& state() { return states_.back(); }
    void applyMasks(State& state);
    bool applyIfSafe(const cairo_matrix_t& change);
    void appendPath(const Path& path);
    // Draws with the blend mode, alpha and shadow of the state. With a colour
    // the source is set before draw runs; without, draw sets its own source
    // and gets the alpha to paint with. bounds (current coordinates) holds
    // everything draw may touch.
    void render(Rect bounds, const Color* color, const std::function<void(double alpha)>& draw);
    // Lays down a group's content (device pixels within deviceBounds).
    void composite(const CairoPattern& content, const State& state, Rect deviceBounds);
    void paintShadow(const CairoPattern& content, const State& state, Rect deviceBounds);
    Rect toDevice(Rect rect) const;
    void setSource(const Color& color, double alpha);
    struct TextRequest {
        Size limit;
        LineBreakMode mode = LineBreakMode::Clip;
        TextAlignment alignment = TextAlignment::Left;
        int maximumLines = 0;
        bool fromBaseline = false;
    };
    Size showText(std::string_view text, Point origin, const Font& font,
                  const TextRequest& request);

    CairoSurface target_;
    CairoContext cairo_;
    PangoContextHandle pangoContext_;
    double pixelScale_;
    std::vector<State> states_;
};

} // namespace florelle
