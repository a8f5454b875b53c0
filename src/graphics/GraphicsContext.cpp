// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphicsContext.h"

#include "ImagePainter.h"
#include "LayerContent.h"
#include "PixelRegion.h"
#include "ShadowBlur.h"
#include "TextEngine.h"
#include "TextLayout.h"

#include <algorithm>
#include <cmath>
#include <pango/pangocairo.h>

namespace florelle {

namespace {

cairo_operator_t cairoOperator(BlendMode mode) {
    switch (mode) {
    case BlendMode::Multiply:
        return CAIRO_OPERATOR_MULTIPLY;
    case BlendMode::Copy:
        return CAIRO_OPERATOR_SOURCE;
    case BlendMode::Clear:
        return CAIRO_OPERATOR_CLEAR;
    case BlendMode::Normal:
        break;
    }
    return CAIRO_OPERATOR_OVER;
}

void addRect(cairo_t* cairo, Rect rect) {
    cairo_rectangle(cairo, rect.minX(), rect.minY(), rect.width(), rect.height());
}

Rect extentsRect(double x1, double y1, double x2, double y2) {
    return {{x1, y1}, {x2 - x1, y2 - y1}};
}

bool isUsable(double value) {
    return std::isfinite(value);
}

bool isWhole(double value) {
    return std::abs(value - std::round(value)) < 1e-6;
}

// Whether the map takes each pixel onto exactly one pixel: a whole-pixel
// shift, possibly turned by quarter turns or mirrored.
bool landsOnPixels(const AffineTransform& map) {
    auto unit = [](double value) { return std::abs(std::abs(value) - 1) < 1e-9; };
    auto zero = [](double value) { return std::abs(value) < 1e-9; };
    bool straight = unit(map.a) && unit(map.d) && zero(map.b) && zero(map.c);
    bool turned = zero(map.a) && zero(map.d) && unit(map.b) && unit(map.c);
    return (straight || turned) && isWhole(map.tx) && isWhole(map.ty);
}

cairo_matrix_t cairoMatrix(const AffineTransform& transform) {
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, transform.a, transform.b, transform.c, transform.d, transform.tx,
                      transform.ty);
    return matrix;
}

} // namespace

GraphicsContext::GraphicsContext(CairoSurface target, double pixelScale)
    : target_(std::move(target)), cairo_(cairo_create(target_.get())),
      pangoContext_(pango_cairo_create_context(cairo_.get())),
      pixelScale_(pixelScale > 0 && std::isfinite(pixelScale) ? pixelScale : 1), states_(1) {
    TextEngine::configure(pangoContext_.get());
    cairo_scale(cairo_.get(), pixelScale_, pixelScale_);
}

GraphicsContext::~GraphicsContext() {
    // Unbalanced saves, layers and masks still put their drawing on the target.
    while (states_.size() > 1) {
        restore();
    }
    finishMasks();
}

void GraphicsContext::save() {
    cairo_save(cairo());
    State copy = state();
    copy.masks.clear();
    copy.layer = false;
    states_.push_back(std::move(copy));
}

void GraphicsContext::restore() {
    if (states_.size() < 2) {
        return;
    }
    applyMasks(state());
    if (!state().layer) {
        cairo_restore(cairo());
        states_.pop_back();
        return;
    }
    CairoPattern content(cairo_pop_group(cairo()));
    cairo_restore(cairo());
    states_.pop_back();
    composite(content, state(), toDevice(clipBoundingBox()));
}

void GraphicsContext::applyMasks(State& level) {
    while (!level.masks.empty()) {
        Mask mask = std::move(level.masks.back());
        level.masks.pop_back();
        CairoPattern content(cairo_pop_group(cairo()));
        cairo_save(cairo());
        cairo_set_source(cairo(), content.get());
        cairo_set_matrix(cairo(), &mask.matrix);
        cairo_set_operator(cairo(), CAIRO_OPERATOR_OVER);
        addRect(cairo(), mask.rect);
        cairo_clip(cairo());
        cairo_mask(cairo(), mask.pattern.get());
        cairo_restore(cairo());
    }
}

void GraphicsContext::finishMasks() {
    applyMasks(states_.front());
    cairo_surface_flush(target());
}

bool GraphicsContext::applyIfSafe(const cairo_matrix_t& change) {
    cairo_matrix_t combined;
    cairo_get_matrix(cairo(), &combined);
    cairo_matrix_multiply(&combined, &change, &combined);
    cairo_matrix_t inverse = combined;
    bool finite = isUsable(combined.xx) && isUsable(combined.yx) && isUsable(combined.xy) &&
                  isUsable(combined.yy) && isUsable(combined.x0) && isUsable(combined.y0);
    if (!finite || cairo_matrix_invert(&inverse) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    cairo_set_matrix(cairo(), &combined);
    return true;
}

void GraphicsContext::translate(double dx, double dy) {
    cairo_matrix_t change;
    cairo_matrix_init_translate(&change, dx, dy);
    applyIfSafe(change);
}

void GraphicsContext::scale(double sx, double sy) {
    cairo_matrix_t change;
    cairo_matrix_init_scale(&change, sx, sy);
    applyIfSafe(change);
}

void GraphicsContext::rotate(double radians) {
    cairo_matrix_t change;
    cairo_matrix_init_rotate(&change, radians);
    applyIfSafe(change);
}

void GraphicsContext::concat(const AffineTransform& transform) {
    applyIfSafe(cairoMatrix(transform));
}

AffineTransform GraphicsContext::transform() const {
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo(), &matrix);
    double s = pixelScale_;
    return {matrix.xx / s, matrix.yx / s, matrix.xy / s,
            matrix.yy / s, matrix.x0 / s, matrix.y0 / s};
}

void GraphicsContext::clipToRect(Rect rect) {
    cairo_new_path(cairo());
    addRect(cairo(), rect);
    cairo_clip(cairo());
}

void GraphicsContext::clipToPath(const Path& path) {
    cairo_new_path(cairo());
    appendPath(path);
    cairo_clip(cairo());
}

void GraphicsContext::clipToMask(Rect rect, const Image& mask) {
    Mask entry;
    entry.pattern = ImagePainter::stretchedPattern(mask, rect);
    if (!entry.pattern) {
        // Nothing can show through an empty mask.
        clipToRect({});
        return;
    }
    // Padded, so that smoothing does not fade the mask towards its edges.
    cairo_pattern_set_extend(entry.pattern.get(), CAIRO_EXTEND_PAD);
    entry.rect = rect;
    cairo_get_matrix(cairo(), &entry.matrix);
    cairo_push_group(cairo());
    state().masks.push_back(std::move(entry));
}

Rect GraphicsContext::clipBoundingBox() const {
    double x1, y1, x2, y2;
    cairo_clip_extents(cairo(), &x1, &y1, &x2, &y2);
    return extentsRect(x1, y1, x2, y2);
}

void GraphicsContext::setFillColor(const Color& color) {
    state().fill = color;
}

void GraphicsContext::setStrokeColor(const Color& color) {
    state().stroke = color;
}

void GraphicsContext::setLineWidth(double width) {
    if (width >= 0 && std::isfinite(width)) {
        cairo_set_line_width(cairo(), width);
    }
}

void GraphicsContext::setLineCap(LineCap cap) {
    switch (cap) {
    case LineCap::Butt:
        cairo_set_line_cap(cairo(), CAIRO_LINE_CAP_BUTT);
        break;
    case LineCap::Round:
        cairo_set_line_cap(cairo(), CAIRO_LINE_CAP_ROUND);
        break;
    case LineCap::Square:
        cairo_set_line_cap(cairo(), CAIRO_LINE_CAP_SQUARE);
        break;
    }
}

void GraphicsContext::setLineJoin(LineJoin join) {
    switch (join) {
    case LineJoin::Miter:
        cairo_set_line_join(cairo(), CAIRO_LINE_JOIN_MITER);
        break;
    case LineJoin::Round:
        cairo_set_line_join(cairo(), CAIRO_LINE_JOIN_ROUND);
        break;
    case LineJoin::Bevel:
        cairo_set_line_join(cairo(), CAIRO_LINE_JOIN_BEVEL);
        break;
    }
}

void GraphicsContext::setAlpha(double alpha) {
    state().alpha = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1;
}

void GraphicsContext::setBlendMode(BlendMode mode) {
    state().blend = mode;
}

void GraphicsContext::setShadow(Size offset, const Color& color, double blur) {
    state().shadow = Shadow{offset, color, std::isfinite(blur) ? std::max(blur, 0.0) : 0};
}

void GraphicsContext::clearShadow() {
    state().shadow.reset();
}

void GraphicsContext::setAllowsAntialiasing(bool allows) {
    cairo_set_antialias(cairo(), allows ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void GraphicsContext::appendPath(const Path& path) {
    cairo_t* c = cairo();
    for (const auto& element : path.elements()) {
        const Point* p = element.points;
        switch (element.kind) {
        case Path::Kind::Move:
            cairo_move_to(c, p[0].x, p[0].y);
            break;
        case Path::Kind::Line:
            cairo_line_to(c, p[0].x, p[0].y);
            break;
        case Path::Kind::Curve:
            cairo_curve_to(c, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y);
            break;
        case Path::Kind::Arc:
            if (element.clockwise) {
                cairo_arc(c, p[0].x, p[0].y, element.radius, element.startAngle, element.endAngle);
            } else {
                cairo_arc_negative(c, p[0].x, p[0].y, element.radius, element.startAngle,
                                   element.endAngle);
            }
            break;
        case Path::Kind::Close:
            cairo_close_path(c);
            break;
        }
    }
}

void GraphicsContext::setSource(const Color& color, double alpha) {
    if (const Image* picture = color.patternImage()) {
        CairoPattern pattern = ImagePainter::repeatingPattern(*picture, {0, 0});
        if (pattern) {
            cairo_set_source(cairo(), pattern.get());
        } else {
            cairo_set_source_rgba(cairo(), 0, 0, 0, 0);
        }
        return;
    }
    cairo_set_source_rgba(cairo(), color.redComponent(), color.greenComponent(),
                          color.blueComponent(), color.alpha() * alpha);
}

void GraphicsContext::render(Rect bounds, const Color* color,
                             const std::function<void(double alpha)>& draw) {
    const State& current = state();
    double alpha = current.alpha;
    // A picture colour cannot carry the alpha itself, so it is drawn apart first.
    bool opaqueSource = !color || !color->isPattern();
    double groupAlpha = opaqueSource ? alpha : alpha * color->alpha();
    bool needsGroup = current.shadow || (!opaqueSource && groupAlpha < 1);
    cairo_t* c = cairo();
    if (!needsGroup) {
        cairo_save(c);
        cairo_set_operator(c, cairoOperator(current.blend));
        if (color) {
            setSource(*color, alpha);
        }
        draw(alpha);
        cairo_restore(c);
        return;
    }
    cairo_save(c);
    cairo_new_path(c);
    addRect(c, bounds.insetBy(-1, -1));
    cairo_clip(c);
    cairo_push_group(c);
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    if (color) {
        setSource(*color, 1);
    }
    draw(1);
    CairoPattern content(cairo_pop_group(c));
    cairo_restore(c);
    State compositeState = current;
    compositeState.alpha = groupAlpha;
    composite(content, compositeState, toDevice(bounds.insetBy(-1, -1)));
}

Rect GraphicsContext::toDevice(Rect rect) const {
    double xs[] = {rect.minX(), rect.maxX(), rect.minX(), rect.maxX()};
    double ys[] = {rect.minY(), rect.minY(), rect.maxY(), rect.maxY()};
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cairo(), &xs[i], &ys[i]);
    }
    double left = *std::min_element(xs, xs + 4);
    double top = *std::min_element(ys, ys + 4);
    return {{left, top},
            {*std::max_element(xs, xs + 4) - left, *std::max_element(ys, ys + 4) - top}};
}

void GraphicsContext::paintShadow(const CairoPattern& content, const State& with,
                                  Rect deviceBounds) {
    cairo_t* c = cairo();
    const Shadow& shadow = *with.shadow;
    cairo_save(c);
    cairo_translate(c, shadow.offset.width * pixelScale_, shadow.offset.height * pixelScale_);
    cairo_set_source_rgba(c, shadow.color.redComponent(), shadow.color.greenComponent(),
                          shadow.color.blueComponent(), shadow.color.alpha() * with.alpha);
    if (shadow.blur > 0) {
        Point origin;
        CairoSurface soft = ShadowBlur::blurredAlpha(content.get(), deviceBounds,
                                                     shadow.blur / 2 * pixelScale_, origin);
        cairo_mask_surface(c, soft.get(), origin.x, origin.y);
    } else {
        cairo_mask(c, content.get());
    }
    cairo_restore(c);
}

void GraphicsContext::composite(const CairoPattern& content, const State& with, Rect deviceBounds) {
    cairo_t* c = cairo();
    // Group contents sit in device pixels; lay them down untransformed.
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_pattern_set_matrix(content.get(), &identity);
    cairo_save(c);
    cairo_identity_matrix(c);
    cairo_set_operator(c, cairoOperator(with.blend));
    if (with.shadow) {
        paintShadow(content, with, deviceBounds);
    }
    cairo_set_source(c, content.get());
    cairo_paint_with_alpha(c, with.alpha);
    cairo_restore(c);
}

void GraphicsContext::fillRect(Rect rect) {
    render(rect, &state().fill, [&](double) {
        cairo_new_path(cairo());
        addRect(cairo(), rect);
        cairo_fill(cairo());
    });
}

void GraphicsContext::strokeRect(Rect rect) {
    double half = cairo_get_line_width(cairo()) / 2;
    render(rect.insetBy(-half, -half), &state().stroke, [&](double) {
        cairo_new_path(cairo());
        addRect(cairo(), rect);
        cairo_stroke(cairo());
    });
}

void GraphicsContext::clearRect(Rect rect) {
    cairo_save(cairo());
    cairo_set_operator(cairo(), CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cairo());
    addRect(cairo(), rect);
    cairo_fill(cairo());
    cairo_restore(cairo());
}

void GraphicsContext::fillEllipse(Rect rect) {
    Path path;
    path.addEllipse(rect);
    fillPath(path);
}

void GraphicsContext::strokeEllipse(Rect rect) {
    Path path;
    path.addEllipse(rect);
    strokePath(path);
}

void GraphicsContext::fillPath(const Path& path) {
    double x1, y1, x2, y2;
    cairo_new_path(cairo());
    appendPath(path);
    cairo_fill_extents(cairo(), &x1, &y1, &x2, &y2);
    cairo_new_path(cairo());
    render(extentsRect(x1, y1, x2, y2), &state().fill, [&](double) {
        appendPath(path);
        cairo_fill(cairo());
    });
}

void GraphicsContext::strokePath(const Path& path) {
    double x1, y1, x2, y2;
    cairo_new_path(cairo());
    appendPath(path);
    cairo_stroke_extents(cairo(), &x1, &y1, &x2, &y2);
    cairo_new_path(cairo());
    render(extentsRect(x1, y1, x2, y2), &state().stroke, [&](double) {
        appendPath(path);
        cairo_stroke(cairo());
    });
}

void GraphicsContext::drawImage(const Image& image, Point point) {
    drawImage(image, Rect{point, image.size()});
}

void GraphicsContext::drawImage(const Image& image, Rect rect) {
    if (image.isEmpty()) {
        return;
    }
    render(rect, nullptr, [&](double alpha) { ImagePainter::draw(cairo(), image, rect, alpha); });
}

void GraphicsContext::drawTiledImage(const Image& image, Rect rect) {
    if (image.isEmpty()) {
        return;
    }
    render(rect, nullptr,
           [&](double alpha) { ImagePainter::drawTiled(cairo(), image, rect, alpha); });
}

Size GraphicsContext::showText(std::string_view text, Point origin, const Font& font,
                               const TextRequest& request) {
    pango_cairo_update_context(cairo(), pangoContext_.get());
    TextLayout layout(pangoContext_.get(), text, font, request.limit, request.mode,
                      request.alignment, request.maximumLines);
    PangoLayout* pango = layout.pangoLayout();
    Size size = layout.size();
    if (request.fromBaseline) {
        origin.y -= static_cast<double>(pango_layout_get_baseline(pango)) / PANGO_SCALE;
    }
    double width = std::max(size.width, request.limit.width);
    bool cutLines = layout.lineCount() < pango_layout_get_line_count(pango);
    bool cutSides = request.mode == LineBreakMode::Clip && request.limit.width > 0;
    cairo_save(cairo());
    if (cutLines || cutSides) {
        double shadowDrop = state().shadow ? std::max(0.0, state().shadow->offset.height) : 0;
        clipToRect(
            {origin, {cutSides ? request.limit.width : width + 2, size.height + shadowDrop}});
    }
    render({origin, {width, size.height}}, &state().fill, [&](double) {
        cairo_move_to(cairo(), origin.x, origin.y);
        pango_cairo_show_layout(cairo(), pango);
    });
    cairo_restore(cairo());
    return size;
}

Size GraphicsContext::drawText(std::string_view text, Point point, const Font& font) {
    return showText(text, point, font, {});
}

Size GraphicsContext::drawText(std::string_view text, Rect rect, const Font& font,
                               LineBreakMode mode, TextAlignment alignment, int maximumLines) {
    return showText(text, {rect.minX(), rect.minY()}, font,
                    {{rect.width(), rect.height()}, mode, alignment, maximumLines});
}

Size GraphicsContext::drawTextAtBaseline(std::string_view text, Point point, const Font& font) {
    TextRequest request;
    request.fromBaseline = true;
    return showText(text, point, font, request);
}

void GraphicsContext::drawLinearGradient(const Gradient& gradient, Point start, Point end,
                                         bool extend) {
    CairoPattern pattern(cairo_pattern_create_linear(start.x, start.y, end.x, end.y));
    for (const auto& stop : gradient.stops) {
        const Color& color = stop.color;
        cairo_pattern_add_color_stop_rgba(pattern.get(), std::clamp(stop.location, 0.0, 1.0),
                                          color.redComponent(), color.greenComponent(),
                                          color.blueComponent(), color.alpha());
    }
    cairo_pattern_set_extend(pattern.get(), extend ? CAIRO_EXTEND_PAD : CAIRO_EXTEND_NONE);
    cairo_save(cairo());
    cairo_set_operator(cairo(), cairoOperator(state().blend));
    cairo_set_source(cairo(), pattern.get());
    cairo_paint_with_alpha(cairo(), state().alpha);
    cairo_restore(cairo());
}

void GraphicsContext::beginTransparencyLayer() {
    save();
    state().layer = true;
    state().alpha = 1;
    state().shadow.reset();
    state().blend = BlendMode::Normal;
    cairo_push_group(cairo());
}

void GraphicsContext::endTransparencyLayer() {
    if (states_.size() > 1 && state().layer) {
        restore();
    }
}

AffineTransform GraphicsContext::deviceTransform() const {
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo(), &matrix);
    return {matrix.xx, matrix.yx, matrix.xy, matrix.yy, matrix.x0, matrix.y0};
}

void GraphicsContext::clipToDeviceRegion(const PixelRegion& pixels) {
    cairo_t* c = cairo();
    cairo_matrix_t current;
    cairo_get_matrix(c, &current);
    cairo_identity_matrix(c);
    cairo_new_path(c);
    for (const Rect& rect : pixels.rects()) {
        addRect(c, rect);
    }
    cairo_clip(c);
    cairo_set_matrix(c, &current);
}

void GraphicsContext::drawLayer(const LayerContent& layer, const AffineTransform& toDevice,
                                double alpha, const Rect& within) {
    if (layer.isEmpty() || !(alpha > 0)) {
        return;
    }
    Point origin = layer.surfaceOrigin();
    AffineTransform surfaceToDevice =
        AffineTransform::translation(origin.x, origin.y).concat(toDevice);
    if (!surfaceToDevice.isInvertible()) {
        return;
    }
    bool copied = layer.isRasterized() && landsOnPixels(surfaceToDevice);
    cairo_matrix_t matrix = cairoMatrix(surfaceToDevice.invert());
    CairoPattern pattern(cairo_pattern_create_for_surface(layer.surface()));
    cairo_pattern_set_matrix(pattern.get(), &matrix);
    cairo_pattern_set_filter(pattern.get(), copied ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_t* c = cairo();
    cairo_save(c);
    cairo_identity_matrix(c);
    if (!copied) {
        cairo_new_path(c);
        addRect(c, within);
        cairo_clip(c);
    }
    cairo_set_operator(c, CAIRO_OPERATOR_OVER);
    cairo_set_source(c, pattern.get());
    if (alpha >= 1) {
        cairo_paint(c);
    } else {
        cairo_paint_with_alpha(c, alpha);
    }
    cairo_restore(c);
}

} // namespace florelle
