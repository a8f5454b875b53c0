#pragma once

namespace florelle {

class GraphicsContext;
class View;

// Draws a tree of views as it is shown now: each view's presentation
// geometry and opacity, skipping hidden and fully transparent views, clipping
// where a view clips to its bounds, then its background colour, its own
// draw() and its subviews in order (later ones on top).
class ViewRenderer {
public:
    // Whether the tree changed since it was last rendered.
    static bool needsRender(const View& root);
    // Draws the tree into the context, whose coordinates are the root's
    // superview's (the root's frame places it), and marks it drawn.
    static void render(View& root, GraphicsContext& context);

private:
    static void renderView(View& view, GraphicsContext& context);
};

} // namespace florelle
