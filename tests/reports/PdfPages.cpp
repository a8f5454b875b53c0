// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfPages.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace florelle::testing {

namespace {

std::string output(std::vector<std::string> arguments) {
    std::vector<gchar*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    gchar* out = nullptr;
    gint status = 0;
    GError* error = nullptr;
    bool ran =
        g_spawn_sync(nullptr, argv.data(), nullptr, static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH),
                     nullptr, nullptr, &out, nullptr, &status, &error);
    EXPECT_TRUE(ran && g_spawn_check_wait_status(status, nullptr))
        << arguments[0] << ": " << (error ? error->message : "failed");
    g_clear_error(&error);
    std::string text = out ? out : "";
    g_free(out);
    return text;
}

std::string unescaped(std::string text) {
    for (auto [entity, character] : {std::pair{"&lt;", "<"},
                                     {"&gt;", ">"},
                                     {"&quot;", "\""},
                                     {"&apos;", "'"},
                                     {"&amp;", "&"}}) {
        for (size_t at; (at = text.find(entity)) != std::string::npos;) {
            text.replace(at, std::string_view(entity).size(), character);
        }
    }
    return text;
}

} // namespace

double PdfPages::Page::top(const std::string& wanted) const {
    for (const Word& word : words) {
        if (word.text == wanted) {
            return word.yMin;
        }
    }
    return -1;
}

PdfPages PdfPages::read(const std::filesystem::path& file) {
    PdfPages pdf;
    std::string boxes = output({"pdftotext", "-bbox", file.string(), "-"});
    static const std::regex page(R"re(<page width="[0-9.]+" height="([0-9.]+)">)re");
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" yMax="([0-9.]+)">([^<]*)</word>)re");
    std::istringstream lines(boxes);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, page)) {
            pdf.pages.push_back({std::stod(match[1]), "", {}});
        } else if (std::regex_search(line, match, word) && !pdf.pages.empty()) {
            pdf.pages.back().words.push_back({unescaped(match[4]), std::stod(match[1]),
                                              std::stod(match[2]), std::stod(match[3])});
        }
    }
    std::string text = output({"pdftotext", "-layout", file.string(), "-"});
    for (size_t index = 0, start = 0; index < pdf.pages.size(); ++index) {
        size_t end = text.find('\f', start);
        pdf.pages[index].text = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
    }

    // pdffonts: a table whose "emb" column says yes or no for each font.
    std::istringstream fonts(output({"pdffonts", file.string()}));
    static const std::regex fontRow(R"(\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)");
    int count = 0, embedded = 0;
    for (std::string line; std::getline(fonts, line);) {
        std::smatch match;
        if (std::regex_search(line, match, fontRow)) {
            ++count;
            embedded += match[1] == "yes";
        }
    }
    pdf.fontsEmbedded = count > 0 && embedded == count;
    return pdf;
}

} // namespace florelle::testing
