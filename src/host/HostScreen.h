#pragma once

#include "StatusBar.h"
#include "geometry/Geometry.h"

#include <memory>

namespace florelle {

class Application;
class GraphicsContext;
class Image;
class Window;

// What a host shows: the application's key window on a black screen of
// 320 × 480 points, with the status bar over its top 20 points.
class HostScreen {
public:
    static constexpr Size size{320, 480};

    HostScreen();

    StatusBar& statusBar() { return *statusBar_; }
    // Whether anything shown changed since the last render (another key
    // window, a change in its tree, the status bar's minute).
    bool needsRender(const Application& application) const;
    // Draws the screen; the context's points are the screen's.
    void render(const Application& application, GraphicsContext& context);
    // The screen as a picture at the scale.
    Image renderImage(const Application& application, double scale);

private:
    std::shared_ptr<StatusBar> statusBar_;
    const Window* lastWindow_ = nullptr;
};

} // namespace florelle
