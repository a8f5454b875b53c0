// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfReport.h"

#include "foundation/Format.h"
#include "graphics/PdfContext.h"

namespace florelle {

namespace {

// Where a report's columns stand.
struct TableLayout {
    std::array<double, 3> headX;
    // How far below the heads the first line of rows starts.
    double rowsBelowHeads;
};

constexpr TableLayout cycleLayout{{55, 270, 460}, 57};
constexpr TableLayout moodsLayout{{100, 270, 460}, 60};

// The pages of one report: the title and the window's range on the first,
// the column heads on each, and a running line position that moves to a new
// page when a line would start below the last place for one.
class PagedTable {
public:
    PagedTable(PdfContext& pdf, const ReportHeader& header, const TableLayout& layout)
        : pdf_(pdf), header_(header), layout_(layout) {
        pdf_.beginPage();
        pdf_.drawText(header.title, Rect(50, 70, 500, 100), Font::boldSystemFont(28),
                      LineBreakMode::WordWrap, TextAlignment::Center);
        pdf_.drawText(format("(%@  -  %@)", header.from, header.to), Point(175, 140),
                      Font::boldSystemFont(18));
        drawHeads(PdfReport::firstHeadsY);
    }

    // The top of an entry of `lines` lines: on a new page when no entry may
    // start here any more, or when the entry would fit on a page of its own
    // but not in what is left of this one.
    double placeEntry(size_t lines) {
        double height = PdfReport::rowStep * static_cast<double>(lines > 0 ? lines - 1 : 0);
        bool fitsHere = y_ + height <= PdfReport::lowestLineY;
        bool fitsOnAPage = topOfNextPage() + height <= PdfReport::lowestLineY;
        if (y_ > PdfReport::lastEntryY || (!fitsHere && fitsOnAPage)) {
            newPage();
        }
        return y_;
    }
    // The top of the next line of an entry taller than a page.
    double placeLine(double y) {
        if (y > PdfReport::lowestLineY) {
            newPage();
            return y_;
        }
        return y;
    }
    void moveTo(double y) { y_ = y; }

private:
    double topOfNextPage() const { return PdfReport::nextHeadsY + layout_.rowsBelowHeads; }

    void drawHeads(double y) {
        Font font = Font::boldSystemFont(16);
        for (size_t column = 0; column < header_.heads.size(); ++column) {
            pdf_.drawText(header_.heads[column], Point(layout_.headX[column], y), font);
        }
        y_ = y + layout_.rowsBelowHeads;
    }

    void newPage() {
        pdf_.beginPage();
        drawHeads(PdfReport::nextHeadsY);
    }

    PdfContext& pdf_;
    const ReportHeader& header_;
    const TableLayout& layout_;
    double y_ = 0;
};

void drawCell(PdfContext& pdf, const std::string& text, Rect rect) {
    pdf.drawText(text, rect, Font::systemFont(16), LineBreakMode::Clip, TextAlignment::Center);
}

void drawNumber(PdfContext& pdf, int number, Point point) {
    pdf.drawText(format("%d.", number), point, Font::boldSystemFont(14));
}

bool finish(PdfContext& pdf) {
    return pdf.isValid() && pdf.close();
}

} // namespace

bool PdfReport::writeCycle(const CycleReport& report, const std::filesystem::path& file) {
    PdfContext pdf(file);
    PagedTable table(pdf, report.header, cycleLayout);
    int number = 1;
    for (const auto& row : report.rows) {
        double y = table.placeEntry(1);
        drawNumber(pdf, number++, Point(15, y + 3));
        drawCell(pdf, row.start, Rect(40, y, 200, 30));
        drawCell(pdf, row.end, Rect(242, y, 200, 30));
        drawCell(pdf, row.cycle, Rect(470, y, 100, 30));
        table.moveTo(y + rowStep);
    }
    return finish(pdf);
}

bool PdfReport::writeMoods(const MoodsReport& report, const std::filesystem::path& file) {
    PdfContext pdf(file);
    PagedTable table(pdf, report.header, moodsLayout);
    Font nameFont = Font::boldSystemFont(14);
    int number = 1;
    for (const auto& day : report.days) {
        size_t lines = day.lineCount();
        double y = table.placeEntry(lines);
        drawNumber(pdf, number++, Point(15, y));
        drawCell(pdf, day.date, Rect(25, y - 3, 200, 30));
        for (size_t line = 0; line < lines; ++line) {
            if (line > 0) {
                y = table.placeLine(y + rowStep);
            }
            if (line < day.moods.size()) {
                pdf.drawText(day.moods[line], Point(240, y), nameFont);
            }
            if (line < day.symptoms.size()) {
                pdf.drawText(day.symptoms[line], Point(450, y), nameFont);
            }
        }
        // One empty line below the longer column.
        table.moveTo(y + 2 * rowStep);
    }
    return finish(pdf);
}

} // namespace florelle
