// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainPage.h"
#include "foundation/NotificationCenter.h"
#include "ui/WebView.h"
#include "ui/WebViewDelegate.h"

#include <memory>
#include <string>

namespace florelle {

class ActivityIndicator;
class ForumFailureView;
class Label;
class NetworkMonitor;

// The forum page of the main screen's strip: the forum's web page, fetched
// when the page is opened (never before, so nothing leaves the device until
// the user asks for the forum). While the machine is offline a notice covers
// the page; when a load fails the page says why in a sentence and offers to
// try again. Loading never holds up the window.
class ForumController : public MainPage, public WebViewDelegate {
public:
    static constexpr const char* offlineNotice =
        "Internet connection is off! Please connect to the internet to be able to visit "
        "Florelle forum.";
    // How long the forum may take to answer.
    static constexpr double timeoutInterval = 30;

    explicit ForumController(std::string forumAddress);
    ~ForumController() override;

    void viewDidLoad() override;
    // Loads the forum afresh, watches the way to the internet anew and shows
    // the notice while the machine is offline; a change of the network's
    // state shows or hides it again.
    void checkConnectivity() override;

    void webViewDidStartLoad(WebView& webView) override;
    void webViewDidFinishLoad(WebView& webView) override;
    void didFailLoadWithError(WebView& webView, const std::string& message) override;

    // The sentence the page shows for a failed load.
    static std::string failureText(const WebView::LoadFailure& failure);

    const std::string& forumAddress() const { return address_; }
    WebView& webView() const { return *webView_; }
    Label& infoLbl() const { return *infoLbl_; }
    // The white cover that carries the notice over the page.
    View& noticeView() const { return *noticeView_; }
    ForumFailureView& failureView() const { return *failureView_; }
    ActivityIndicator& loadingIndicator() const { return *loadingIndicator_; }
    // Empty until the page is first opened.
    const std::shared_ptr<NetworkMonitor>& internetMonitor() const { return internetMonitor_; }

private:
    void showConnectivity();

    std::string address_;
    std::shared_ptr<WebView> webView_;
    std::shared_ptr<ForumFailureView> failureView_;
    std::shared_ptr<ActivityIndicator> loadingIndicator_;
    std::shared_ptr<View> noticeView_;
    std::shared_ptr<Label> infoLbl_;
    std::shared_ptr<NetworkMonitor> internetMonitor_;
    NotificationCenter::Observation statusChanges_;
};

} // namespace florelle
