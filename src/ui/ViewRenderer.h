// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class GraphicsContext;
class View;

// Draws a whole tree of views as it is shown now, through the views' layers
// (see Compositor): each view's presentation geometry and opacity, skipping
// hidden and fully transparent views, clipping where a view clips to its
// bounds, its background colour and draw() under its subviews (later ones
// on top).
class ViewRenderer {
public:
    // Whether the tree changed since it was last rendered.
    static bool needsRender(const View& root);
    // Draws the tree into the context, within its clip, whose coordinates
    // are the root's superview's (the root's frame places it), and marks it
    // drawn.
    static void render(View& root, GraphicsContext& context);
};

} // namespace florelle
