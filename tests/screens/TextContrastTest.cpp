// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "graphics/Image.h"
#include "graphics/TextLayout.h"
#include "storage/DatabaseController.h"
#include "support/Contrast.h"
#include "support/LocalDays.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Window.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstring>
#include <functional>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// A screen picture's pixels as opaque colours.
class Pixels {
public:
    explicit Pixels(const Image& image) : image_(image) {
        cairo_surface_flush(image.surface());
        data_ = cairo_image_surface_get_data(image.surface());
        stride_ = cairo_image_surface_get_stride(image.surface());
    }
    int width() const { return image_.pixelWidth(); }
    int height() const { return image_.pixelHeight(); }
    Rgb at(int x, int y) const {
        uint32_t pixel;
        std::memcpy(&pixel, data_ + y * stride_ + x * 4, 4);
        return {((pixel >> 16) & 0xff) / 255.0, ((pixel >> 8) & 0xff) / 255.0,
                (pixel & 0xff) / 255.0};
    }

private:
    Image image_;
    const unsigned char* data_;
    int stride_;
};

// A text on the screen, a label or a button's title: its colour with the
// opacity of the views it is in, where its lines land, and the ratio it must
// reach: 3 for text of 18 points and more, 4.5 below.
struct ShownText {
    std::string text;
    Rgb color;
    double opacity = 1;
    double required = 4.5;
    Rect area; // in screen pixels
    std::function<void()> hide;
};

double requiredRatio(const Font& font) {
    return font.size() >= 18 ? 3 : 4.5;
}

// A colour as the text shows it; a pattern by its picture's average.
Rgb shownColor(const Color& color) {
    if (!color.isPattern()) {
        return {color.redComponent(), color.greenComponent(), color.blueComponent()};
    }
    Pixels picture(*color.patternImage());
    Rgb sum;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Rgb c = picture.at(x, y);
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
    }
    double count = std::max(1, picture.width() * picture.height());
    return {sum.r / count, sum.g / count, sum.b / count};
}

// Where a label's lines land in it, as Label::draw places them.
Rect labelText(const Label& label) {
    Rect box = label.bounds();
    TextLayout layout(label.text(), label.font(), box.size, label.lineBreakMode(),
                      label.textAlignment(), label.numberOfLines());
    Size size = layout.size();
    double x = label.textAlignment() == TextAlignment::Left     ? 0
               : label.textAlignment() == TextAlignment::Center ? (box.width() - size.width) / 2
                                                                : box.width() - size.width;
    double y = std::max(0.0, (box.height() - size.height) / 2);
    return Rect(box.minX() + x, box.minY() + y, size.width, std::min(size.height, box.height()));
}

// Where a button's title lands, as Button::draw places it beside its picture.
Rect buttonTitle(const Button& button) {
    Rect box = button.bounds();
    Size picture = button.imageForState(button.state()).size();
    Size title = TextLayout(button.currentTitle(), button.titleFont()).size();
    double gap = picture.width > 0 ? 4 : 0;
    double left = box.midX() - (picture.width + gap + title.width) / 2 + picture.width + gap;
    return Rect(left, box.midY() - title.height / 2, std::min(title.width, box.maxX() - left),
                title.height);
}

// Views dimmed below half show that they cannot be used now; readable text
// is not asked of inactive parts, nor of dimmed buttons.
void collect(View& view, double opacity, double scale, std::vector<ShownText>& texts) {
    opacity *= view.presentationAlpha();
    if (view.isHidden() || opacity < 0.5) {
        return;
    }
    // Where the view is shown now, mid-animation too (the cloud drifts).
    auto onScreen = [&view, scale](const Rect& rect) {
        AffineTransform toWindow;
        for (const View* current = &view; current->superview(); current = current->superview()) {
            toWindow = toWindow.concat(current->presentationState().toSuperview());
        }
        Rect area = toWindow.apply(rect);
        return Rect(area.minX() * scale, area.minY() * scale, area.width() * scale,
                    area.height() * scale);
    };
    if (auto* label = dynamic_cast<Label*>(&view); label && !label->text().empty()) {
        Color c = label->textColor();
        texts.push_back({label->text(), shownColor(c), opacity * c.alpha(),
                         requiredRatio(label->font()), onScreen(labelText(*label)),
                         [label] { label->setTextColor(Color::clear()); }});
    }
    if (auto* button = dynamic_cast<Button*>(&view);
        button && !button->currentTitle().empty() && button->isEnabled()) {
        unsigned state = button->state();
        Color c = button->titleColorForState(state);
        texts.push_back({button->currentTitle(), shownColor(c), opacity * c.alpha(),
                         requiredRatio(button->titleFont()), onScreen(buttonTitle(*button)),
                         [button, state] { button->setTitleColor(Color::clear(), state); }});
    }
    for (const auto& subview : view.subviews()) {
        collect(*subview, opacity, scale, texts);
    }
}

// The contrast of a text's colour, laid over each pixel of the box its lines
// fill, against that pixel as it is without the text. The tenth percentile
// counts: a text half over a dark and half over a pale ground is judged by
// its worse half, while a few stray pixels do not decide. A text none of
// whose pixels change when it is hidden is covered, and not measured.
struct Measured {
    double ratio = 0;
    Rgb behind;
    int changed = 0;
};

Measured measure(const ShownText& text, const Pixels& shown, const Pixels& behind) {
    std::vector<std::pair<double, Rgb>> ratios;
    int changed = 0;
    int left = std::max(0, int(std::floor(text.area.minX())));
    int top = std::max(0, int(std::floor(text.area.minY())));
    int right = std::min(shown.width(), int(std::ceil(text.area.maxX())));
    int bottom = std::min(shown.height(), int(std::ceil(text.area.maxY())));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            Rgb with = shown.at(x, y);
            Rgb ground = behind.at(x, y);
            if (std::abs(with.r - ground.r) + std::abs(with.g - ground.g) +
                    std::abs(with.b - ground.b) >
                0.03) {
                ++changed;
            }
            double a = text.opacity;
            Rgb ink{a * text.color.r + (1 - a) * ground.r, a * text.color.g + (1 - a) * ground.g,
                    a * text.color.b + (1 - a) * ground.b};
            ratios.emplace_back(contrast(ink, ground), ground);
        }
    }
    if (ratios.empty()) {
        return {};
    }
    auto tenth = ratios.begin() + std::ptrdiff_t(ratios.size() / 10);
    std::nth_element(ratios.begin(), tenth, ratios.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return {tenth->first, tenth->second, changed};
}

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", int(std::lround(c.r * 255)),
                  int(std::lround(c.g * 255)), int(std::lround(c.b * 255)));
    return text;
}

class TextContrastTest : public MainScreenTest {
protected:
    // Every text shown now reaches its ratio against what is drawn behind it.
    void expectReadable(const std::string& where) {
        std::vector<ShownText> texts;
        collect(*host().keyWindow(), 1, host().scale(), texts);
        Image shownImage = host().renderAfresh();
        for (const auto& text : texts) {
            text.hide();
        }
        Image behindImage = host().renderAfresh();
        Pixels shown(shownImage);
        Pixels behind(behindImage);
        for (const auto& text : texts) {
            Measured found = measure(text, shown, behind);
            // A text fewer pixels of which change than a letter has is covered.
            if (found.changed >= 20 && found.ratio < text.required) {
                ADD_FAILURE() << where << ": \"" << text.text << "\" " << hex(text.color)
                              << " (opacity " << text.opacity << ") on " << hex(found.behind)
                              << " reaches " << found.ratio << ", needs " << text.required;
            }
        }
    }
};

} // namespace

// Each page and panel in each skin, with a diary that gives every page
// something to show.
TEST_F(TextContrastTest, EveryTextReadsAgainstWhatIsBehindIt) {
    struct Surface {
        const char* name;
        std::function<void()> open;
    };
    auto page = [this](MainPageKind kind) { return [this, kind] { openPetal(kind); }; };
    const Surface surfaces[] = {
        {"main screen", [] {}},
        {"charts", page(MainPageKind::charts)},
        {"daily log", page(MainPageKind::notes)},
        {"calendar", page(MainPageKind::calendar)},
        {"summary", page(MainPageKind::summary)},
        {"forum", page(MainPageKind::forum)},
        {"settings", page(MainPageKind::settings)},
        {"period start panel", [this] { main().bringCenterCalendarUp(); }},
        {"past period panel",
         [this] {
             main().bringSummaryCalendarUp(localDate(2026, 2, 2), localDate(2026, 2, 6), 0, true,
                                           true);
         }},
    };
    for (int skin = 0; skin < 3; ++skin) {
        for (const Surface& surface : surfaces) {
            TearDown();
            SetUp();
            ASSERT_TRUE(DC::saveSkin(skin));
            ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 2), localDate(2026, 2, 6)));
            launch(localDate(2026, 2, 20, 12));
            surface.open();
            host().advance(1.5);
            std::string where = std::string(surface.name) + ", skin " + std::to_string(skin);
            keepScreenshot("contrast " + where);
            expectReadable(where);
        }
    }
}
