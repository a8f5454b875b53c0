#pragma once

#include "LetterboxFit.h"
#include "StatusBar.h"
#include "geometry/Geometry.h"

#include <filesystem>
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
    // Draws the screen as the fit places it, with black bars beside it, into
    // a context made at the fit's scale over the fit's pixels.
    void render(const Application& application, GraphicsContext& context, const LetterboxFit& fit);
    // The screen as a picture of the fit's pixels.
    Image renderImage(const Application& application, const LetterboxFit& fit);
    // The same picture as a PNG file; false, with a log line, when the file
    // cannot be written.
    bool savePng(const Application& application, const LetterboxFit& fit,
                 const std::filesystem::path& path);
    // The fit of the screen into that many pixels.
    static LetterboxFit fitInto(Size pixels) { return {size, pixels}; }

private:
    std::shared_ptr<StatusBar> statusBar_;
    const Window* lastWindow_ = nullptr;
};

} // namespace florelle
