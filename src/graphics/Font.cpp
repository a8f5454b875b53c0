// SPDX-License-Identifier: GPL-3.0-or-later
#include "Font.h"

#include "TextEngine.h"
#include "foundation/Log.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <set>

namespace florelle {

namespace {

// Every installed family a font name may end up in. Each family list ends in
// the fallback, which also covers the letters of every language we ship.
constexpr std::string_view sansFamily = "Liberation Sans,DejaVu Sans";
constexpr std::string_view serifFamily = "Liberation Serif,DejaVu Serif,DejaVu Sans";
constexpr std::string_view monoFamily = "Liberation Mono,DejaVu Sans Mono,DejaVu Sans";
constexpr std::string_view handwritingFamily = "Comic Neue,DejaVu Sans";
constexpr std::string_view fallbackFamily = "DejaVu Sans";

struct Face {
    std::string_view name;
    std::string_view family;
    PangoWeight weight;
    PangoStyle style;
};

constexpr PangoWeight regular = PANGO_WEIGHT_NORMAL;
constexpr PangoWeight bold = PANGO_WEIGHT_BOLD;
constexpr PangoStyle upright = PANGO_STYLE_NORMAL;

constexpr std::array faces{
    Face{"Helvetica", sansFamily, regular, upright},
    Face{"Helvetica-Bold", sansFamily, bold, upright},
    Face{"Helvetica-Oblique", sansFamily, regular, PANGO_STYLE_OBLIQUE},
    Face{"Helvetica-BoldOblique", sansFamily, bold, PANGO_STYLE_OBLIQUE},
    Face{"Arial", sansFamily, regular, upright},
    Face{"ArialMT", sansFamily, regular, upright},
    Face{"Arial-BoldMT", sansFamily, bold, upright},
    Face{"ChalkboardSE-Light", handwritingFamily, PANGO_WEIGHT_LIGHT, upright},
    Face{"ChalkboardSE-Regular", handwritingFamily, regular, upright},
    Face{"ChalkboardSE-Bold", handwritingFamily, bold, upright},
    Face{"Georgia", serifFamily, regular, upright},
    Face{"Georgia-Bold", serifFamily, bold, upright},
    Face{"Georgia-Italic", serifFamily, regular, PANGO_STYLE_ITALIC},
    Face{"TimesNewRomanPSMT", serifFamily, regular, upright},
    Face{"Courier", monoFamily, regular, upright},
    Face{"Courier-Bold", monoFamily, bold, upright},
};

constexpr Face systemFace{"System", sansFamily, regular, upright};
constexpr Face boldSystemFace{"System-Bold", sansFamily, bold, upright};
constexpr Face italicSystemFace{"System-Italic", sansFamily, regular, PANGO_STYLE_ITALIC};

PangoFontDescriptionHandle describe(const Face& face, double size) {
    PangoFontDescriptionHandle description(pango_font_description_new());
    pango_font_description_set_family(description.get(), std::string(face.family).c_str());
    pango_font_description_set_weight(description.get(), face.weight);
    pango_font_description_set_style(description.get(), face.style);
    // One Pango device unit is one point of the drawing.
    pango_font_description_set_absolute_size(description.get(), std::max(size, 0.0) * PANGO_SCALE);
    return description;
}

void reportUnknownName(std::string_view name) {
    static std::mutex mutex;
    static std::set<std::string, std::less<>> reported;
    std::lock_guard lock(mutex);
    if (reported.insert(std::string(name)).second) {
        Log::write("Font \"" + std::string(name) + "\" is unknown; using " +
                   std::string(fallbackFamily));
    }
}

struct MetricsDeleter {
    void operator()(PangoFontMetrics* metrics) const { pango_font_metrics_unref(metrics); }
};

} // namespace

Font::Font(std::string name, double size, PangoFontDescriptionHandle description)
    : name_(std::move(name)), size_(size), description_(std::move(description)) {}

Font Font::systemFont(double size) {
    return Font(std::string(systemFace.name), size, describe(systemFace, size));
}

Font Font::boldSystemFont(double size) {
    return Font(std::string(boldSystemFace.name), size, describe(boldSystemFace, size));
}

Font Font::italicSystemFont(double size) {
    return Font(std::string(italicSystemFace.name), size, describe(italicSystemFace, size));
}

Font Font::named(std::string_view name, double size) {
    auto face = std::find_if(faces.begin(), faces.end(),
                             [name](const Face& candidate) { return candidate.name == name; });
    if (face == faces.end()) {
        reportUnknownName(name);
        Face fallback{name, fallbackFamily, regular, upright};
        return Font(std::string(name), size, describe(fallback, size));
    }
    return Font(std::string(name), size, describe(*face, size));
}

Font Font::withSize(double size) const {
    PangoFontDescriptionHandle description(description_);
    pango_font_description_set_absolute_size(description.get(), std::max(size, 0.0) * PANGO_SCALE);
    return Font(name_, size, std::move(description));
}

PangoFontMetrics* Font::metrics() const {
    return pango_context_get_metrics(TextEngine::measuringContext(), description_.get(), nullptr);
}

double Font::ascender() const {
    std::unique_ptr<PangoFontMetrics, MetricsDeleter> metrics(this->metrics());
    return static_cast<double>(pango_font_metrics_get_ascent(metrics.get())) / PANGO_SCALE;
}

double Font::descender() const {
    std::unique_ptr<PangoFontMetrics, MetricsDeleter> metrics(this->metrics());
    return -static_cast<double>(pango_font_metrics_get_descent(metrics.get())) / PANGO_SCALE;
}

double Font::lineHeight() const {
    std::unique_ptr<PangoFontMetrics, MetricsDeleter> metrics(this->metrics());
    int height = pango_font_metrics_get_height(metrics.get());
    if (height <= 0) {
        height = pango_font_metrics_get_ascent(metrics.get()) +
                 pango_font_metrics_get_descent(metrics.get());
    }
    return static_cast<double>(height) / PANGO_SCALE;
}

std::string Font::resolvedFamily() const {
    PangoFontHandle font(
        pango_context_load_font(TextEngine::measuringContext(), description_.get()));
    if (!font) {
        return {};
    }
    PangoFontDescriptionHandle loaded(pango_font_describe(font.get()));
    const char* family = pango_font_description_get_family(loaded.get());
    return family ? family : "";
}

} // namespace florelle
