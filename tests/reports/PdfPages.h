// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace florelle::testing {

// A PDF file read back with poppler's tools, as a reader would see it.
struct PdfPages {
    struct Word {
        std::string text;
        double xMin = 0, yMin = 0, yMax = 0;
    };
    struct Page {
        double height = 0;
        // The page's text in reading order, laid out in lines.
        std::string text;
        std::vector<Word> words;
        // The top of the first word that reads `text`; -1 when none does.
        double top(const std::string& text) const;
    };
    std::vector<Page> pages;
    // Whether every font the file uses is embedded in it.
    bool fontsEmbedded = false;

    static PdfPages read(const std::filesystem::path& file);
};

} // namespace florelle::testing
