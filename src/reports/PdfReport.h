// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportContent.h"

#include <filesystem>

namespace florelle {

// The reports as PDF documents of US Letter pages, their text real text
// (selectable and searchable, its fonts embedded). Rows go on as many pages
// as they need; each page after the first repeats the column heads.
class PdfReport {
public:
    static constexpr double pageHeight = 792;
    // Lines start 50 points apart. No entry starts below lastEntryY, and
    // none of its further lines below lowestLineY, which leaves a margin
    // at the foot of the page.
    static constexpr double rowStep = 50;
    static constexpr double lastEntryY = 700;
    static constexpr double lowestLineY = 730;
    // Where the heads stand on the first page and on the pages after it.
    static constexpr double firstHeadsY = 220;
    static constexpr double nextHeadsY = 40;

    // False when the file could not be written (logged).
    static bool writeCycle(const CycleReport& report, const std::filesystem::path& file);
    static bool writeMoods(const MoodsReport& report, const std::filesystem::path& file);
};

} // namespace florelle
