// SPDX-License-Identifier: GPL-3.0-or-later
#include "ForumController.h"

#include "ForumFailureView.h"
#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "platform/NetworkMonitor.h"
#include "ui/ActivityIndicator.h"
#include "ui/Label.h"

namespace florelle {

namespace {

constexpr double noticeMargin = 24;

} // namespace

ForumController::ForumController(std::string forumAddress) : address_(std::move(forumAddress)) {}

ForumController::~ForumController() = default;

void ForumController::viewDidLoad() {
    Rect page(0, 0, ViewController::screenWidth, MainPage::visibleHeight);
    webView_ = std::make_shared<WebView>(page);
    webView_->setTimeoutInterval(timeoutInterval);
    webView_->webDelegate = std::static_pointer_cast<WebViewDelegate>(
        std::static_pointer_cast<ForumController>(shared_from_this()));
    webView_->setBounces(false);
    for (const auto& subview : webView_->subviews()) {
        if (auto scrollView = std::dynamic_pointer_cast<ScrollView>(subview)) {
            scrollView->setBounces(false);
        }
    }
    view()->addSubview(webView_);

    failureView_ = std::make_shared<ForumFailureView>(page);
    failureView_->setHidden(true);
    failureView_->onTryAgain = [this] { webView_->loadUrl(address_); };
    view()->addSubview(failureView_);

    loadingIndicator_ = std::make_shared<ActivityIndicator>(ActivityIndicator::Style::gray);
    loadingIndicator_->setCenter(Point{page.midX(), page.midY()});
    view()->addSubview(loadingIndicator_);

    noticeView_ = std::make_shared<View>(page);
    noticeView_->setBackgroundColor(Color::white());
    noticeView_->setHidden(true);
    infoLbl_ = std::make_shared<Label>(page.insetBy(noticeMargin, noticeMargin));
    infoLbl_->setBackgroundColor(Color::white());
    infoLbl_->setText(Strings::localized(offlineNotice));
    infoLbl_->setFont(Font::boldSystemFont(17));
    infoLbl_->setTextAlignment(TextAlignment::Center);
    infoLbl_->setNumberOfLines(0);
    infoLbl_->setLineBreakMode(LineBreakMode::WordWrap);
    noticeView_->addSubview(infoLbl_);
    view()->addSubview(noticeView_);

    statusChanges_ = NotificationCenter::defaultCenter().addObserver(
        NetworkMonitor::kNetworkStatusChangedNotification,
        [this](const Notification&) { showConnectivity(); });
}

void ForumController::checkConnectivity() {
    view();
    webView_->loadUrl(address_);
    internetMonitor_ = NetworkMonitor::monitorForInternetConnection();
    internetMonitor_->startNotifier();
    showConnectivity();
}

void ForumController::showConnectivity() {
    if (internetMonitor_) {
        noticeView_->setHidden(internetMonitor_->currentStatus() != NotReachable);
    }
}

void ForumController::webViewDidStartLoad(WebView&) {
    failureView_->setHidden(true);
    loadingIndicator_->startAnimating();
}

void ForumController::webViewDidFinishLoad(WebView&) {
    loadingIndicator_->stopAnimating();
}

void ForumController::didFailLoadWithError(WebView& webView, const std::string& message) {
    Log::write(message);
    loadingIndicator_->stopAnimating();
    if (const auto& failure = webView.lastFailure()) {
        failureView_->setMessage(failureText(*failure));
    }
    failureView_->setHidden(false);
}

std::string ForumController::failureText(const WebView::LoadFailure& failure) {
    using Kind = WebView::LoadFailure::Kind;
    switch (failure.kind) {
    case Kind::timedOut:
        return Strings::localized("Forum timed out Key");
    case Kind::errorStatus:
        return Strings::localizedFormat("Forum error Key", static_cast<int>(failure.status));
    case Kind::notHtml:
        return Strings::localized("Forum not a page Key");
    case Kind::unreachable:
        break;
    }
    return Strings::localized("Forum unreachable Key");
}

} // namespace florelle
