// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostScreen.h"

#include "graphics/BitmapContext.h"
#include "ui/Animator.h"
#include "ui/Application.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

#include <sstream>

namespace florelle {

namespace {

// The points of a bitmap at the fit's scale that has the fit's pixels.
Size bitmapPoints(const LetterboxFit& fit) {
    return {fit.pixels().width / fit.scale(), fit.pixels().height / fit.scale()};
}

bool sameFit(const LetterboxFit& first, const LetterboxFit& second) {
    return first.content() == second.content() && first.pixels() == second.pixels();
}

} // namespace

Size HostScreen::shownSize(const Application& application) {
    return {size.width, size.height - windowTop(application)};
}

double HostScreen::windowTop(const Application& application) {
    return application.isStatusBarHidden() ? StatusBar::height : 0;
}

HostScreen::HostScreen() : statusBar_(std::make_shared<StatusBar>(size.width)) {}

HostScreen::~HostScreen() = default;

bool HostScreen::needsRender(const Application& application) const {
    auto window = application.keyWindow();
    if (frameFit_ && frameFit_->content() != shownSize(application)) {
        return true;
    }
    return window.get() != lastWindow_ || (window && ViewRenderer::needsRender(*window)) ||
           (!application.isStatusBarHidden() && ViewRenderer::needsRender(*statusBar_));
}

std::vector<View*> HostScreen::roots(const Application& application) {
    auto window = application.keyWindow();
    lastWindow_ = window.get();
    std::vector<View*> trees;
    if (window) {
        trees.push_back(window.get());
    }
    if (!application.isStatusBarHidden()) {
        trees.push_back(statusBar_.get());
    }
    return trees;
}

void HostScreen::prepare(GraphicsContext& context, const LetterboxFit& fit) {
    double scale = fit.scale();
    context.setFillColor(Color::black());
    context.fillRect(Rect(Point{}, bitmapPoints(fit)));
    context.translate(fit.offset().x / scale, fit.offset().y / scale);
}

void HostScreen::toWindow(GraphicsContext& context, const Application& application) {
    context.translate(0, -windowTop(application));
}

const PixelRegion& HostScreen::present(const Application& application, const LetterboxFit& fit) {
    // Animations need a frame only when they move a pixel of this screen.
    Animator::shared().setPixelsPerPoint(fit.scale());
    // The status bar covers the window's top, or the window's top is left out.
    Animator::shared().setShownArea(
        Rect(0, StatusBar::height, size.width, size.height - StatusBar::height));
    if (!frame_ || !sameFit(*frameFit_, fit)) {
        frame_ = std::make_unique<BitmapContext>(bitmapPoints(fit), fit.scale());
        frameFit_ = fit;
        prepare(*frame_, fit);
        toWindow(*frame_, application);
        compositor_.invalidate();
    }
    return compositor_.composite(roots(application), {*frame_, fit.contentRect(), Color::black()});
}

std::string HostScreen::describeFrames() const {
    std::ostringstream text;
    text << "frames " << frameCount() << ", last damage";
    auto rects = lastDamage().rects();
    if (rects.empty()) {
        text << " none";
    }
    for (std::size_t index = 0; index < rects.size(); ++index) {
        const Rect& rect = rects[index];
        text << (index == 0 ? " " : " + ") << rect.minX() << ',' << rect.minY() << ' '
             << rect.width() << 'x' << rect.height();
    }
    text << ", " << lastDrawCount() << " views drawn";
    return text.str();
}

void HostScreen::render(const Application& application, GraphicsContext& context) {
    Rect area = context.deviceTransform().apply(Rect(Point{}, shownSize(application)));
    context.save();
    toWindow(context, application);
    Compositor().composite(roots(application), {context, area, Color::black()});
    context.restore();
}

void HostScreen::render(const Application& application, GraphicsContext& context,
                        const LetterboxFit& fit) {
    context.save();
    prepare(context, fit);
    render(application, context);
    context.restore();
}

Image HostScreen::renderImage(const Application& application, const LetterboxFit& fit) {
    present(application, fit);
    return frame_->image();
}

bool HostScreen::savePng(const Application& application, const LetterboxFit& fit,
                         const std::filesystem::path& path) {
    present(application, fit);
    return frame_->savePng(path);
}

Image HostScreen::renderAfresh(const Application& application, const LetterboxFit& fit) {
    BitmapContext bitmap(bitmapPoints(fit), fit.scale());
    prepare(bitmap, fit);
    toWindow(bitmap, application);
    Compositor::drawAfresh(roots(application), {bitmap, fit.contentRect(), Color::black()});
    return bitmap.image();
}

} // namespace florelle
