// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEngine.h"

#include "CairoHandles.h"

#include <pango/pangocairo.h>

namespace florelle {

namespace {

struct FontOptions {
    FontOptions() : options(cairo_font_options_create()) {
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    }
    FontOptions(const FontOptions&) = delete;
    FontOptions& operator=(const FontOptions&) = delete;
    ~FontOptions() { cairo_font_options_destroy(options); }
    cairo_font_options_t* options;
};

} // namespace

PangoContext* TextEngine::measuringContext() {
    // The font map of the default Pango backend is per thread, and so is this.
    thread_local PangoContextHandle context = [] {
        PangoContextHandle created(
            pango_font_map_create_context(pango_cairo_font_map_get_default()));
        configure(created.get());
        return created;
    }();
    return context.get();
}

void TextEngine::configure(PangoContext* context) {
    static const FontOptions fontOptions;
    pango_cairo_context_set_font_options(context, fontOptions.options);
    pango_context_set_round_glyph_positions(context, FALSE);
}

} // namespace florelle
