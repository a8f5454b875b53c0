// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfContext.h"

#include "foundation/Log.h"

#include <cairo-pdf.h>

namespace florelle {

PdfContext::PdfContext(const std::filesystem::path& path)
    : GraphicsContext(CairoSurface(cairo_pdf_surface_create(path.c_str(), defaultPageSize.width,
                                                            defaultPageSize.height)),
                      1),
      path_(path) {
    if (!isValid()) {
        Log::write("PDF file \"" + path_.string() + "\" cannot be written: " +
                   cairo_status_to_string(cairo_surface_status(target())));
    }
}

PdfContext::~PdfContext() {
    close();
}

bool PdfContext::isValid() const {
    return cairo_surface_status(target()) == CAIRO_STATUS_SUCCESS &&
           cairo_status(cairo()) == CAIRO_STATUS_SUCCESS;
}

void PdfContext::beginPage(Size size) {
    if (closed_) {
        return;
    }
    endPage();
    if (!(size.width > 0) || !(size.height > 0)) {
        size = defaultPageSize;
    }
    cairo_pdf_surface_set_size(target(), size.width, size.height);
    save();
    pageOpen_ = true;
}

void PdfContext::endPage() {
    if (!pageOpen_) {
        return;
    }
    restore();
    cairo_show_page(cairo());
    pageOpen_ = false;
    ++pages_;
}

bool PdfContext::close() {
    if (closed_) {
        return isValid();
    }
    endPage();
    finishMasks();
    closed_ = true;
    cairo_surface_finish(target());
    bool written = isValid();
    if (!written) {
        Log::write("PDF file \"" + path_.string() + "\" could not be written completely");
    }
    return written;
}

} // namespace florelle
