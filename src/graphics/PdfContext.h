// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/GraphicsContext.h"

#include <filesystem>

namespace florelle {

// Draws pages of a PDF file, one point per PDF unit, origin at each page's
// top-left corner. Text stays text that readers can select and search.
// A file that cannot be written is logged; drawing then goes nowhere.
class PdfContext : public GraphicsContext {
public:
    static constexpr Size defaultPageSize{612, 792};

    explicit PdfContext(const std::filesystem::path& path);
    // Closes the file if close() was not called.
    ~PdfContext() override;

    bool isValid() const;
    // Ends an open page first. Each page starts with a fresh drawing state.
    void beginPage(Size size = defaultPageSize);
    void endPage();
    // Ends an open page and finishes the file; later calls do nothing.
    // False, with a log line, when the file could not be written.
    bool close();
    int pageCount() const { return pages_; }

private:
    std::filesystem::path path_;
    bool pageOpen_ = false;
    bool closed_ = false;
    int pages_ = 0;
};

} // namespace florelle
