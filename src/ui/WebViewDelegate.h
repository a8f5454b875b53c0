// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

class WebView;

// Told when a web view starts and finishes loading, and why a load failed.
class WebViewDelegate {
public:
    virtual ~WebViewDelegate() = default;
    virtual void webViewDidStartLoad(WebView&) {}
    virtual void webViewDidFinishLoad(WebView&) {}
    virtual void didFailLoadWithError(WebView&, const std::string& /*message*/) {}
};

} // namespace florelle
