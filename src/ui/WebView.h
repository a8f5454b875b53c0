// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScrollView.h"
#include "WebViewDelegate.h"
#include "graphics/Font.h"
#include "platform/HttpFetch.h"
#include "platform/WebPage.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

// Shows the readable text of a web page: headings, paragraphs, list items
// and preformatted text, with links underlined; no script, no styles. The
// page is fetched on the run loop, so the window goes on while it loads.
// A tap on a link opens it in the desktop's browser; a drag scrolls.
//
// A load fails, with a message to the delegate, when the page does not
// answer within the time-out, answers with an error status (400 and up) or
// is not HTML. A page larger than maximumPageBytes is shown up to there.
class WebView : public ScrollView {
public:
    static constexpr double defaultTimeout = 30;
    static constexpr std::size_t maximumPageBytes = 1024 * 1024;
    static constexpr double margin = 10;

    explicit WebView(const Rect& frame);
    ~WebView() override;

    // Starts loading the address; a load under way is dropped first.
    void loadUrl(const std::string& address);
    // Loads the last address again.
    void reload();
    void stopLoading();
    bool isLoading() const { return fetch_ != nullptr; }
    const std::string& url() const { return url_; }

    double timeoutInterval() const { return timeout_; }
    void setTimeoutInterval(double seconds) { timeout_ = seconds; }

    // Why the last load failed, for a page that wants to say so in its own
    // words; empty while loading and after a load that succeeded.
    struct LoadFailure {
        enum class Kind { unreachable, timedOut, errorStatus, notHtml };
        Kind kind = Kind::unreachable;
        // The answer's status, for errorStatus.
        long status = 0;
        // What the delegate was told.
        std::string message;
    };
    const std::optional<LoadFailure>& lastFailure() const { return failure_; }

    const WebPage& page() const { return page_; }
    std::string displayedText() const override { return page_.text(); }

    std::weak_ptr<WebViewDelegate> webDelegate;
    // Opens a tapped link; the desktop's browser unless replaced.
    std::function<void(const std::string& address)> openLink;

    // Where a link sits, in content coordinates.
    struct LinkArea {
        Rect rect;
        std::string href;
    };
    const std::vector<LinkArea>& linkAreas() const { return linkAreas_; }

    void touchesEnded(const Touches& touches, const Event& event) override;
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    struct PlacedBlock {
        Rect frame;
        Font font;
        std::string text;
    };

    void loaded(HttpFetch::Result result);
    void fail(LoadFailure failure);
    void layoutPage();

    std::string url_;
    double timeout_ = defaultTimeout;
    std::unique_ptr<HttpFetch> fetch_;
    std::optional<LoadFailure> failure_;
    WebPage page_;
    std::vector<PlacedBlock> placed_;
    std::vector<LinkArea> linkAreas_;
};

} // namespace florelle
