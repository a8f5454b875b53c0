// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/PdfContext.h"

#include "support/TestEnvironment.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace florelle {
namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

long count(const std::string& text, const std::regex& pattern) {
    return std::distance(std::sregex_iterator(text.begin(), text.end(), pattern),
                         std::sregex_iterator());
}

const std::regex pageObject("/Type\\s*/Page[^s]");

TEST(PdfContextTest, WritesThePagesThatWereStarted) {
    testing::TempDirectory folder;
    auto path = folder.path() / "period.pdf";
    {
        PdfContext pdf(path);
        ASSERT_TRUE(pdf.isValid());
        for (int page = 0; page < 3; ++page) {
            pdf.beginPage();
            pdf.drawText("Cycle data for last 12 months", Rect{{50, 70}, {500, 100}},
                         Font::boldSystemFont(28), LineBreakMode::WordWrap, TextAlignment::Center);
            pdf.endPage();
        }
        EXPECT_EQ(pdf.pageCount(), 3);
        EXPECT_TRUE(pdf.close());
    }
    std::string text = contents(path);
    EXPECT_EQ(text.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(count(text, pageObject), 3);
    EXPECT_NE(text.find("/MediaBox [ 0 0 612 792 ]"), std::string::npos);
    // Text is kept as text in an embedded font, with a map back to characters.
    EXPECT_NE(text.find("/ToUnicode"), std::string::npos);
    EXPECT_NE(text.find("LiberationSans"), std::string::npos);
}

TEST(PdfContextTest, BeginningAPageEndsTheOpenOneAndEachPageStartsAfresh) {
    testing::TempDirectory folder;
    auto path = folder.path() / "symptoms.pdf";
    PdfContext pdf(path);
    pdf.beginPage();
    pdf.translate(0, 100);
    pdf.setAlpha(0.2);
    pdf.beginPage({300, 400});
    EXPECT_EQ(pdf.pageCount(), 1);
    EXPECT_EQ(pdf.transform(), AffineTransform::identity());
    EXPECT_EQ(pdf.alpha(), 1);
    EXPECT_TRUE(pdf.close());
    EXPECT_TRUE(pdf.close());
    pdf.beginPage();
    EXPECT_EQ(pdf.pageCount(), 2);
    std::string text = contents(path);
    EXPECT_EQ(count(text, pageObject), 2);
    EXPECT_NE(text.find("/MediaBox [ 0 0 300 400 ]"), std::string::npos);
}

TEST(PdfContextTest, UnwritableFileIsLoggedAndDrawingGoesNowhere) {
    testing::TempDirectory folder;
    testing::LogCapture log;
    PdfContext pdf(folder.path() / "no" / "such" / "folder.pdf");
    EXPECT_FALSE(pdf.isValid());
    pdf.beginPage();
    pdf.drawText("DATE", Point{100, 220}, Font::boldSystemFont(16));
    pdf.endPage();
    EXPECT_FALSE(pdf.close());
    EXPECT_TRUE(log.contains("cannot be written"));
}

} // namespace
} // namespace florelle
