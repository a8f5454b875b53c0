// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/CairoHandles.h"

#include <string>
#include <string_view>

namespace florelle {

// A typeface at a size in points. Named fonts are mapped to installed
// families in one table; a name the table does not know gets the fallback
// family (and one log line), so text always shows.
class Font {
public:
    static Font systemFont(double size);
    static Font boldSystemFont(double size);
    static Font italicSystemFont(double size);
    // "Helvetica", "Helvetica-Bold", "ChalkboardSE-Regular", "Georgia", …
    static Font named(std::string_view name, double size);

    // The name asked for ("Helvetica-Bold"; the system fonts have their own).
    const std::string& name() const { return name_; }
    double size() const { return size_; }
    Font withSize(double size) const;

    // Distance from the baseline to the top of the tallest letters.
    double ascender() const;
    // Distance from the baseline to the bottom of the lowest letters; negative.
    double descender() const;
    // The distance between the baselines of two lines of text.
    double lineHeight() const;

    // The installed family the font system really uses for this font.
    std::string resolvedFamily() const;

    const PangoFontDescription* description() const { return description_.get(); }

private:
    Font(std::string name, double size, PangoFontDescriptionHandle description);
    PangoFontMetrics* metrics() const;

    std::string name_;
    double size_;
    PangoFontDescriptionHandle description_;
};

} // namespace florelle
