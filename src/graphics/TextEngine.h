// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pango/pango.h>

namespace florelle {

// Fixes how text is laid out so that a text measures the same in every
// context, at every pixel scale and in PDF files: unhinted metrics and
// unrounded glyph positions, one unit per point.
class TextEngine {
public:
    // The context that measuring uses when no drawing context is at hand.
    static PangoContext* measuringContext();
    // Gives a drawing context the same layout rules as the measuring one.
    static void configure(PangoContext* context);
};

} // namespace florelle
