#include "HostScreen.h"

#include "graphics/BitmapContext.h"
#include "ui/Application.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

namespace florelle {

namespace {

// The points of a bitmap at the fit's scale that has the fit's pixels.
Size bitmapPoints(const LetterboxFit& fit) {
    return {fit.pixels().width / fit.scale(), fit.pixels().height / fit.scale()};
}

} // namespace

HostScreen::HostScreen() : statusBar_(std::make_shared<StatusBar>(size.width)) {}

bool HostScreen::needsRender(const Application& application) const {
    auto window = application.keyWindow();
    return window.get() != lastWindow_ || (window && ViewRenderer::needsRender(*window)) ||
           ViewRenderer::needsRender(*statusBar_);
}

void HostScreen::render(const Application& application, GraphicsContext& context) {
    context.save();
    context.setFillColor(Color::black());
    context.fillRect(Rect(Point{}, size));
    context.restore();
    auto window = application.keyWindow();
    if (window) {
        ViewRenderer::render(*window, context);
    }
    lastWindow_ = window.get();
    ViewRenderer::render(*statusBar_, context);
}

void HostScreen::render(const Application& application, GraphicsContext& context,
                        const LetterboxFit& fit) {
    double scale = fit.scale();
    context.save();
    context.setFillColor(Color::black());
    context.fillRect(Rect(Point{}, bitmapPoints(fit)));
    context.translate(fit.offset().x / scale, fit.offset().y / scale);
    context.clipToRect(Rect(Point{}, size));
    render(application, context);
    context.restore();
}

Image HostScreen::renderImage(const Application& application, const LetterboxFit& fit) {
    BitmapContext bitmap(bitmapPoints(fit), fit.scale());
    render(application, bitmap, fit);
    return bitmap.image();
}

bool HostScreen::savePng(const Application& application, const LetterboxFit& fit,
                         const std::filesystem::path& path) {
    BitmapContext bitmap(bitmapPoints(fit), fit.scale());
    render(application, bitmap, fit);
    return bitmap.savePng(path);
}

} // namespace florelle
