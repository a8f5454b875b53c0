// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LetterboxFit.h"
#include "StatusBar.h"
#include "geometry/Geometry.h"
#include "graphics/PixelRegion.h"
#include "ui/Compositor.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

class Application;
class BitmapContext;
class GraphicsContext;
class Image;
class View;
class Window;

// What a host shows: the application's key window on a black screen of
// 320 × 480 points, with the status bar over its top 20 points. Where the
// application's status bar is hidden (the shell draws its own) the screen is
// the 320 × 460 points below it. The screen is kept as a frame of pixels
// between black bars; presenting lays down again only what changed since
// the last frame.
class HostScreen {
public:
    static constexpr Size size{320, 480};

    // The points shown for the application, and the window's y at their top.
    static Size shownSize(const Application& application);
    static double windowTop(const Application& application);

    HostScreen();
    ~HostScreen();

    StatusBar& statusBar() { return *statusBar_; }
    // Whether anything shown changed since the last render (another key
    // window, a change in its tree, the status bar's minute).
    bool needsRender(const Application& application) const;

    // Brings the frame up to date for the fit and returns the pixels that
    // changed (all of them when the fit changed; none when nothing did).
    const PixelRegion& present(const Application& application, const LetterboxFit& fit);
    // The frame of the last present().
    BitmapContext& frame() { return *frame_; }
    // Frames that changed pixels, the pixels the last one changed, and how
    // many views drew their content for it.
    long frameCount() const { return compositor_.frameCount(); }
    const PixelRegion& lastDamage() const { return compositor_.lastDamage(); }
    int lastDrawCount() const { return compositor_.lastDrawCount(); }
    // The three as a line: "frames 12, last damage 100,40 530x226 + 0,0
    // 640x40, 3 views drawn".
    std::string describeFrames() const;

    // Draws the whole screen; the context's points are the screen's.
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
    // The picture with every view drawing afresh and nothing kept used: what
    // a presented frame must look like.
    Image renderAfresh(const Application& application, const LetterboxFit& fit);
    // The fit of the screen into that many pixels.
    static LetterboxFit fitInto(Size pixels) { return {size, pixels}; }
    static LetterboxFit fitInto(Size pixels, const Application& application) {
        return {shownSize(application), pixels};
    }

private:
    std::vector<View*> roots(const Application& application);
    // The screen's black bars, and coordinates in its points.
    static void prepare(GraphicsContext& context, const LetterboxFit& fit);
    // From the screen's points to the window's.
    static void toWindow(GraphicsContext& context, const Application& application);

    std::shared_ptr<StatusBar> statusBar_;
    const Window* lastWindow_ = nullptr;
    std::unique_ptr<BitmapContext> frame_;
    std::optional<LetterboxFit> frameFit_;
    Compositor compositor_;
};

} // namespace florelle
