// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Contrast.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>
#include <string>

// The label colours are fixed by the screens; the pictures behind them come
// from each skin's palette. These checks keep every label readable (contrast
// as the web accessibility guidelines measure it: 4.5 for small text, 3 for
// large or bold text) when a palette changes.
namespace {

using florelle::testing::contrast;
using florelle::testing::Rgb;

using Palette = std::map<std::string, Rgb>;

Palette readPalette(int skin) {
    auto file =
        std::filesystem::path(FLORELLE_ART_PALETTES) / ("skin" + std::to_string(skin) + ".cmake");
    std::ifstream stream(file);
    std::stringstream text;
    text << stream.rdbuf();
    auto content = text.str();
    static const std::regex colour(R"re(set\((\w+) "#([0-9A-Fa-f]{6})"\))re");
    Palette palette;
    for (std::sregex_iterator it(content.begin(), content.end(), colour), end; it != end; ++it) {
        auto hex = std::stoul((*it)[2].str(), nullptr, 16);
        palette[(*it)[1].str()] = {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0,
                                   (hex & 0xff) / 255.0};
    }
    EXPECT_FALSE(palette.empty()) << file;
    return palette;
}

Rgb over(Rgb top, double alpha, Rgb below) {
    return {alpha * top.r + (1 - alpha) * below.r, alpha * top.g + (1 - alpha) * below.g,
            alpha * top.b + (1 - alpha) * below.b};
}

Rgb midway(Rgb a, Rgb b) {
    return over(a, 0.5, b);
}

constexpr double smallText = 4.5;
constexpr double largeText = 3.0;

const std::array<Rgb, 3> petalCaption{
    {{0.537, 0.067, 0.271}, {0.220, 0.239, 0.255}, {0.196, 0.309, 0.521}}};
const std::array<Rgb, 3> todayLabel{
    {{0.941, 0.980, 1.0}, {0.929, 0.969, 0.890}, {0.941, 0.980, 1.0}}};
const std::array<Rgb, 3> centreLabels{
    {{0.737, 0.275, 0.475}, {0.203, 0.200, 0.200}, {0.196, 0.310, 0.522}}};
const std::array<Rgb, 3> listText{{{1, 1, 1}, {1, 1, 1}, {0, 0.35, 0.56}}};
const std::array<Rgb, 3> chartButtonText{{{1, 1, 1}, {1, 1, 1}, {0.039, 0.271, 0.471}}};

} // namespace

TEST(PaletteContrast, PetalCaptionsReadOnTheirPetals) {
    for (int skin = 0; skin < 3; ++skin) {
        auto p = readPalette(skin);
        // The caption sits about halfway out in the petal's radial fill.
        auto resting = midway(p["PETAL_LIGHT"], p["PETAL_MID"]);
        auto held = midway(p["PETAL_SEL_LIGHT"], p["PETAL_SEL_MID"]);
        EXPECT_GE(contrast(over(petalCaption[skin], 0.8, resting), resting), smallText) << skin;
        EXPECT_GE(contrast(over(petalCaption[skin], 0.8, held), held), largeText) << skin;
    }
}

TEST(PaletteContrast, TodaysStatusReadsOnTheCloud) {
    for (int skin = 0; skin < 3; ++skin) {
        auto p = readPalette(skin);
        for (const char* part : {"CLOUD_LIGHT", "CLOUD_DARK"}) {
            EXPECT_GE(contrast(todayLabel[skin], p[part]), largeText) << skin << " " << part;
        }
    }
}

TEST(PaletteContrast, TheCountdownReadsOnTheCentre) {
    for (int skin = 0; skin < 3; ++skin) {
        auto p = readPalette(skin);
        for (const char* part : {"CENTER_LIGHT", "CENTER_TINT"}) {
            auto text = over(centreLabels[skin], 0.9, p[part]);
            EXPECT_GE(contrast(text, p[part]), largeText) << skin << " " << part;
        }
    }
}

TEST(PaletteContrast, ListRowsAndHeadersRead) {
    auto rose = readPalette(0);
    for (int skin = 0; skin < 3; ++skin) {
        auto p = readPalette(skin);
        for (const char* part : {"CELL1", "CELL2"}) {
            EXPECT_GE(contrast(listText[skin], p[part]), largeText) << skin << " " << part;
        }
        // Group headers lie on the panel: skin 0 paints them with its cell
        // picture, skin 1 in dark ink on its pale panel, skin 2 blue.
        for (const char* body : {"DOCK_BODY", "DOCK_BODY2"}) {
            if (skin == 0) {
                for (const char* part : {"CELL1", "CELL2"}) {
                    EXPECT_GE(contrast(rose[part], p[body]), largeText) << part << " " << body;
                }
            } else {
                Rgb header = skin == 1 ? Rgb{0.220, 0.239, 0.255} : listText[skin];
                EXPECT_GE(contrast(header, p[body]), largeText) << skin << " " << body;
            }
        }
    }
}

TEST(PaletteContrast, ChartButtonLabelsRead) {
    for (int skin = 0; skin < 3; ++skin) {
        auto p = readPalette(skin);
        for (const char* part : {"BUTTON1", "BUTTON2", "BUTTON_SEL1", "BUTTON_SEL2"}) {
            EXPECT_GE(contrast(chartButtonText[skin], p[part]), largeText) << skin << " " << part;
        }
    }
}
