// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceLists.h"
#include "foundation/Bundle.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <set>

using namespace florelle::testing;
using florelle::Bundle;

namespace {

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

std::string readFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

int bigEndian(const std::string& bytes, std::size_t at, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The size a PNG or JPEG file declares, or nothing when it is neither.
std::optional<PixelSize> pictureSize(const std::string& bytes) {
    if (bytes.size() > 24 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
        bytes.compare(12, 4, "IHDR") == 0) {
        return PixelSize{bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4)};
    }
    if (bytes.size() > 4 && bytes.compare(0, 2, "\xff\xd8") == 0) {
        std::size_t at = 2;
        while (at + 9 < bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xff) {
            auto marker = static_cast<unsigned char>(bytes[at + 1]);
            if (marker >= 0xc0 && marker <= 0xc3) {
                return PixelSize{bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2)};
            }
            at += 2 + bigEndian(bytes, at + 2, 2);
        }
    }
    return std::nullopt;
}

bool hasExtension(const std::string& name, const std::string& extension) {
    return name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

std::set<std::string> manifestFilesForSkin(int skin) {
    std::set<std::string> files;
    for (const auto& picture : readArtManifest()) {
        files.insert(forSkin(picture.name, skin));
    }
    return files;
}

} // namespace

TEST(Pictures, EveryNameExistsForEverySkinAtBothScales) {
    auto manifest = readArtManifest();
    ASSERT_GT(manifest.size(), 100u);
    for (const auto& picture : manifest) {
        bool skinned = picture.name.find("%d") != std::string::npos;
        for (int skin = 0; skin < (skinned ? 3 : 1); ++skin) {
            auto file = forSkin(picture.name, skin);
            auto bytes = readFile(Bundle::resourceDirectory() / file);
            auto size = pictureSize(bytes);
            ASSERT_TRUE(size) << file << " is missing or not a picture";
            EXPECT_EQ(hasExtension(file, ".jpg"), bytes.compare(0, 2, "\xff\xd8") == 0)
                << file << " is not of the kind its name says";
            if (!picture.twoScales) {
                continue;
            }
            auto twice = pictureSize(readFile(Bundle::resourceDirectory() / twiceScale(file)));
            ASSERT_TRUE(twice) << twiceScale(file) << " is missing";
            EXPECT_EQ(*twice, (PixelSize{size->width * 2, size->height * 2})) << file;
        }
    }
}

TEST(Pictures, TheManifestNamesEachPictureOnce) {
    std::set<std::string> seen;
    for (const auto& picture : readArtManifest()) {
        EXPECT_TRUE(seen.insert(picture.name).second) << picture.name;
        EXPECT_TRUE(hasExtension(picture.name, ".png") || hasExtension(picture.name, ".jpg"))
            << picture.name;
    }
}

TEST(Pictures, PicturesDrawnIntoFixedFramesHaveTheirSize) {
    struct Row {
        const char* name;
        PixelSize size;
    };
    const Row rows[] = {
        {"petal_charts_%d.png", {120, 120}},
        {"petal_log_selected_%d.png", {120, 120}},
        {"cloud_%d.png", {265, 112}},
        {"Cal.bundle/cal_tile.png", {46, 44}},
        {"Cal.bundle/cal_left_arrow.png", {46, 30}},
        {"period.png", {46, 44}},
        {"ovulation.png", {16, 17}},
        {"fertile_flower.png", {16, 17}},
        {"intimate.png", {12, 10}},
        {"pen_icon.png", {14, 14}},
        {"underline.png", {300, 500}},
        {"bg_pass.png", {320, 106}},
        {"viewHeader.png", {320, 20}},
        {"icon_%d.png", {30, 30}},
        {"background_graph.png", {400, 320}},
        {"dock.png", {60, 400}},
        {"Happy.png", {40, 40}},
        {"Cramps_lv1.png", {40, 40}},
    };
    for (const auto& row : rows) {
        for (int skin = 0; skin < 3; ++skin) {
            auto file = forSkin(row.name, skin);
            auto size = pictureSize(readFile(Bundle::resourceDirectory() / file));
            ASSERT_TRUE(size) << file;
            EXPECT_EQ(*size, row.size) << file;
        }
    }
}

TEST(Pictures, EveryMoodAndSymptomOfTheCatalogueHasItsIconAndBar) {
    auto files = manifestFilesForSkin(0);
    auto moods = readCatalogue("moods", "moodName");
    auto symptoms = readCatalogue("symptoms", "symptomName");
    ASSERT_EQ(moods.size(), 18u);
    ASSERT_EQ(symptoms.size(), 48u);
    for (const auto& entry : moods) {
        EXPECT_TRUE(files.contains(entry.name + ".png")) << entry.name;
        EXPECT_TRUE(files.contains(entry.imgName)) << entry.imgName;
    }
    for (const auto& entry : symptoms) {
        EXPECT_TRUE(files.contains(entry.name + ".png")) << entry.name;
        EXPECT_TRUE(files.contains(entry.imgName)) << entry.imgName;
    }
    EXPECT_EQ(symptoms.at(44).imgName, "tower_high.png");
}

TEST(Pictures, TheApplicationIconComesInTheSizesShellsAskFor) {
    EXPECT_TRUE(std::filesystem::is_regular_file(
        Bundle::resourceDirectory() / "icons/hicolor/scalable/apps/org.florelle.Florelle.svg"));
    for (int pixels : {16, 24, 32, 48, 64, 128, 256, 512}) {
        auto size = std::to_string(pixels) + "x" + std::to_string(pixels);
        auto file =
            Bundle::resourceDirectory() / "icons/hicolor" / size / "apps/org.florelle.Florelle.png";
        auto found = pictureSize(readFile(file));
        ASSERT_TRUE(found) << file;
        EXPECT_EQ(*found, (PixelSize{pixels, pixels})) << file;
    }
}

TEST(Pictures, TheManifestHoldsEveryNameTheScreensAskFor) {
    const char* const names[] = {"bg_%d.jpg",
                                 "dock_%d.png",
                                 "dock_up_%d.png",
                                 "cloud_%d.png",
                                 "petal_charts_%d.png",
                                 "petal_charts_selected_%d.png",
                                 "petal_addnote_%d.png",
                                 "petal_addnote_selected_%d.png",
                                 "petal_calendar_%d.png",
                                 "petal_calendar_selected_%d.png",
                                 "petal_log_%d.png",
                                 "petal_log_selected_%d.png",
                                 "petal_forum_%d.png",
                                 "petal_forum_selected_%d.png",
                                 "petal_settings_%d.png",
                                 "petal_settings_selected_%d.png",
                                 "center0_%d.png",
                                 "center1_%d.png",
                                 "center2_%d.png",
                                 "center_shadow.png",
                                 "back_button_%d.png",
                                 "calendar_button_%d.png",
                                 "button_%d.png",
                                 "button_selected_%d.png",
                                 "cell_%d.png",
                                 "icon_%d.png",
                                 "skinPreview_%d.jpg",
                                 "Cal.bundle/cal_tile.png",
                                 "Cal.bundle/cal_tile_today.png",
                                 "Cal.bundle/cal_tile_today_selected.png",
                                 "Cal.bundle/cal_tile_selected.png",
                                 "Cal.bundle/cal_tile_text_fill.png",
                                 "Cal.bundle/cal_tile_dim_text_fill.png",
                                 "Cal.bundle/cal_header_text_fill.png",
                                 "Cal.bundle/cal_left_arrow.png",
                                 "Cal.bundle/cal_right_arrow.png",
                                 "Cal.bundle/cal_grid_background.png",
                                 "Cal.bundle/cal_grid_shadow.png",
                                 "cal_tile_shaded.png",
                                 "period.png",
                                 "ovulation.png",
                                 "fertile_flower.png",
                                 "intimate.png",
                                 "pen_icon.png",
                                 "note_button_selected_0.png",
                                 "intimate_empty.png",
                                 "intimate_checked.png",
                                 "underline.png",
                                 "underlineOld.png",
                                 "viewHeader.png",
                                 "tab_selected.png",
                                 "background_graph.png",
                                 "dock.png",
                                 "tower_red.png",
                                 "tower_green.png",
                                 "tower_low.png",
                                 "tower_medium.png",
                                 "tower_high.png",
                                 "period_flower.png",
                                 "time.png",
                                 "weight_icon.png",
                                 "bg_pass.png"};
    std::set<std::string> manifest;
    for (const auto& picture : readArtManifest()) {
        manifest.insert(picture.name);
    }
    for (const char* name : names) {
        EXPECT_TRUE(manifest.contains(name)) << name;
    }
}
