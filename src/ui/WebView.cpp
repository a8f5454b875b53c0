// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebView.h"

#include "foundation/Log.h"
#include "graphics/GraphicsContext.h"
#include "graphics/TextLayout.h"
#include "platform/DesktopBrowser.h"

#include <algorithm>
#include <cctype>
#include <pango/pango.h>

namespace florelle {

namespace {

constexpr double blockGap = 8;
constexpr double listIndent = 18;

struct PangoIterFree {
    void operator()(PangoLayoutIter* iter) const { pango_layout_iter_free(iter); }
};
struct GFreeInts {
    void operator()(int* ranges) const { g_free(ranges); }
};

Font fontFor(const WebPage::Block& block) {
    switch (block.kind) {
    case WebPage::Block::Kind::heading: {
        static constexpr double sizes[] = {24, 21, 19, 17, 16, 15};
        return Font::boldSystemFont(sizes[std::clamp(block.level, 1, 6) - 1]);
    }
    case WebPage::Block::Kind::preformatted:
        return Font::named("Courier", 13);
    case WebPage::Block::Kind::listItem:
    case WebPage::Block::Kind::paragraph:
        break;
    }
    return Font::systemFont(16);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The charset parameter of a content type, if any.
std::string charsetOf(const std::string& contentType) {
    std::string lower = lowered(contentType);
    auto found = lower.find("charset=");
    if (found == std::string::npos) {
        return {};
    }
    std::string value = contentType.substr(found + 8);
    value = value.substr(0, value.find(';'));
    std::erase(value, '"');
    std::erase(value, ' ');
    return value;
}

bool isHtml(const std::string& contentType) {
    std::string type = lowered(contentType.substr(0, contentType.find(';')));
    std::erase(type, ' ');
    return type.empty() || type == "text/html" || type == "application/xhtml+xml";
}

} // namespace

WebView::WebView(const Rect& frame) : ScrollView(frame) {
    setBackgroundColor(Color::white());
    openLink = [](const std::string& address) { DesktopBrowser::open(address); };
}

WebView::~WebView() = default;

void WebView::loadUrl(const std::string& address) {
    fetch_.reset();
    failure_.reset();
    url_ = address;
    if (auto listener = webDelegate.lock()) {
        listener->webViewDidStartLoad(*this);
    }
    std::weak_ptr<View> weakSelf = weak_from_this();
    fetch_ = std::make_unique<HttpFetch>(
        address, timeout_, maximumPageBytes, [weakSelf](HttpFetch::Result result) {
            if (auto self = std::static_pointer_cast<WebView>(weakSelf.lock())) {
                self->loaded(std::move(result));
            }
        });
}

void WebView::reload() {
    if (!url_.empty()) {
        loadUrl(url_);
    }
}

void WebView::stopLoading() {
    fetch_.reset();
}

void WebView::fail(LoadFailure failure) {
    Log::write("WebView: " + url_ + ": " + failure.message);
    failure_ = std::move(failure);
    if (auto listener = webDelegate.lock()) {
        listener->didFailLoadWithError(*this, failure_->message);
    }
}

void WebView::loaded(HttpFetch::Result result) {
    auto keepAlive = shared_from_this();
    fetch_.reset();
    using Kind = LoadFailure::Kind;
    if (!result.answered) {
        fail({result.timedOut ? Kind::timedOut : Kind::unreachable, 0, result.error});
        return;
    }
    if (result.status >= 400) {
        fail({Kind::errorStatus, result.status,
              "The server answered with status " + std::to_string(result.status) + "."});
        return;
    }
    if (!isHtml(result.contentType)) {
        fail({Kind::notHtml, 0, "The page is not HTML (" + result.contentType + ")."});
        return;
    }
    if (result.truncated) {
        Log::write("WebView: " + url_ + ": the page was cut at " +
                   std::to_string(maximumPageBytes) + " bytes");
    }
    page_ = WebPage::parse(result.body, url_, charsetOf(result.contentType));
    layoutPage();
    setContentOffset(Point{});
    if (auto listener = webDelegate.lock()) {
        listener->webViewDidFinishLoad(*this);
    }
}

void WebView::layoutPage() {
    placed_.clear();
    linkAreas_.clear();
    double width = bounds().width() - 2 * margin;
    double y = margin;
    for (const auto& block : page_.blocks()) {
        bool listItem = block.kind == WebPage::Block::Kind::listItem;
        double indent = listItem ? listIndent : 0;
        Font font = fontFor(block);
        LineBreakMode mode = block.kind == WebPage::Block::Kind::preformatted
                                 ? LineBreakMode::CharacterWrap
                                 : LineBreakMode::WordWrap;
        TextLayout layout(block.text, font, Size{width - indent, 0}, mode);
        Rect frame(margin + indent, y, width - indent, layout.size().height);
        placed_.push_back(PlacedBlock{frame, font, block.text});

        // Each link's pieces, line by line.
        std::unique_ptr<PangoLayoutIter, PangoIterFree> iter(
            pango_layout_get_iter(layout.pangoLayout()));
        do {
            PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter.get());
            PangoRectangle extents;
            pango_layout_iter_get_line_extents(iter.get(), nullptr, &extents);
            int lineStart = line->start_index;
            int lineEnd = lineStart + line->length;
            for (const auto& link : block.links) {
                int from = std::max(lineStart, static_cast<int>(link.begin));
                int to = std::min(lineEnd, static_cast<int>(link.end));
                if (from >= to) {
                    continue;
                }
                int* raw = nullptr;
                int count = 0;
                pango_layout_line_get_x_ranges(line, from, to, &raw, &count);
                std::unique_ptr<int, GFreeInts> ranges(raw);
                for (int index = 0; index < count; ++index) {
                    double left = static_cast<double>(raw[2 * index]) / PANGO_SCALE;
                    double right = static_cast<double>(raw[2 * index + 1]) / PANGO_SCALE;
                    linkAreas_.push_back(LinkArea{
                        Rect(frame.minX() + left,
                             frame.minY() + static_cast<double>(extents.y) / PANGO_SCALE,
                             right - left, static_cast<double>(extents.height) / PANGO_SCALE),
                        link.href});
                }
            }
        } while (pango_layout_iter_next_line(iter.get()));
        y = frame.maxY() + blockGap;
    }
    setContentSize(Size{bounds().width(), y + margin});
    setNeedsDisplay();
}

void WebView::touchesEnded(const Touches& touches, const Event& event) {
    bool tapped = !isDragging() && !didDragCurrentTouch();
    ScrollView::touchesEnded(touches, event);
    if (!tapped) {
        return;
    }
    Point at = touches.front()->locationInView(this);
    for (const auto& area : linkAreas_) {
        if (area.rect.contains(at)) {
            if (auto open = openLink) {
                open(area.href);
            }
            return;
        }
    }
}

void WebView::draw(GraphicsContext& context, const Rect&) {
    Rect visible = bounds();
    for (std::size_t index = 0; index < placed_.size(); ++index) {
        const auto& block = placed_[index];
        if (!block.frame.intersects(visible)) {
            continue;
        }
        context.setFillColor(Color::black());
        if (page_.blocks()[index].kind == WebPage::Block::Kind::listItem) {
            context.drawText("\u2022",
                             Point{block.frame.minX() - listIndent + 4, block.frame.minY()},
                             block.font);
        }
        LineBreakMode mode = page_.blocks()[index].kind == WebPage::Block::Kind::preformatted
                                 ? LineBreakMode::CharacterWrap
                                 : LineBreakMode::WordWrap;
        context.drawText(block.text, block.frame, block.font, mode);
    }
    context.setFillColor(Color(0.0, 0.33, 0.80));
    for (const auto& area : linkAreas_) {
        if (area.rect.intersects(visible)) {
            context.fillRect(Rect(area.rect.minX(), area.rect.maxY() - 1.5, area.rect.width(), 1));
        }
    }
}

} // namespace florelle
