#include "HostScreen.h"

#include "graphics/BitmapContext.h"
#include "ui/Application.h"
#include "ui/ViewRenderer.h"
#include "ui/Window.h"

namespace florelle {

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

Image HostScreen::renderImage(const Application& application, double scale) {
    BitmapContext bitmap(size, scale);
    render(application, bitmap);
    return bitmap.image();
}

} // namespace florelle
