// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WebView.h"

#include "UiTest.h"
#include "support/LoopbackServer.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace florelle {
namespace {

using testing::LoopbackServer;

class LoadRecorder : public WebViewDelegate {
public:
    void webViewDidStartLoad(WebView&) override { events.push_back("start"); }
    void webViewDidFinishLoad(WebView&) override { events.push_back("finish"); }
    void didFailLoadWithError(WebView&, const std::string& message) override {
        events.push_back("fail");
        failure = message;
    }
    std::vector<std::string> events;
    std::string failure;
};

const char* samplePage = R"(<!DOCTYPE html>
<html><head><title>Florelle   forum</title><style>p { color: red }</style>
<script>var hidden = "script text";</script></head>
<body>
  <h1>Welcome</h1>
  <p>Talk   with other <b>users</b>
     about your cycle. <a href="/rules">Read the rules</a>.</p>
  <ul><li>First topic</li><li>Second &amp; last</li></ul>
  <pre>two  spaces
kept</pre>
</body></html>)";

class WebViewTest : public testing::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        web_ = std::make_shared<WebView>(Rect(0, 0, 320, 460));
        web_->webDelegate = recorder_;
        web_->openLink = [this](const std::string& address) { opened_.push_back(address); };
        window_->addSubview(web_);
    }

    // Serves the loop, with the clock creeping on, until the load is over.
    void waitForLoad() {
        for (int round = 0; round < 5000 && web_->isLoading(); ++round) {
            clock_->advance(0.001);
            RunLoop::current().runOnce();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        RunLoop::current().runOnce();
        ASSERT_FALSE(web_->isLoading());
    }

    std::shared_ptr<WebView> web_;
    std::shared_ptr<LoadRecorder> recorder_ = std::make_shared<LoadRecorder>();
    std::vector<std::string> opened_;
};

TEST_F(WebViewTest, ShowsTheTextOfAPageServedLocally) {
    LoopbackServer server({200, "text/html; charset=utf-8", samplePage});
    web_->loadUrl(server.url("/forum/index.html"));
    EXPECT_TRUE(web_->isLoading());
    EXPECT_EQ(recorder_->events, std::vector<std::string>{"start"});
    waitForLoad();
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "finish"}));
    EXPECT_EQ(web_->page().title(), "Florelle forum");
    EXPECT_EQ(web_->displayedText(), "Welcome\n"
                                     "Talk with other users about your cycle. Read the rules.\n"
                                     "First topic\n"
                                     "Second & last\n"
                                     "two  spaces\nkept");
    const auto& blocks = web_->page().blocks();
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(blocks[0].kind, WebPage::Block::Kind::heading);
    EXPECT_EQ(blocks[0].level, 1);
    EXPECT_EQ(blocks[2].kind, WebPage::Block::Kind::listItem);
    EXPECT_EQ(blocks[4].kind, WebPage::Block::Kind::preformatted);
    EXPECT_GT(web_->contentSize().height, 100);
}

TEST_F(WebViewTest, ATappedLinkOpensItsFullAddress) {
    LoopbackServer server({200, "text/html", samplePage});
    web_->loadUrl(server.url("/forum/index.html"));
    waitForLoad();
    ASSERT_EQ(web_->linkAreas().size(), 1u);
    Rect link = web_->linkAreas().front().rect;
    tap(web_->convertPointToWindow(Point{link.midX(), link.midY()}));
    EXPECT_EQ(opened_, std::vector<std::string>{server.url("/rules")});
    tap(web_->convertPointToWindow(Point{link.midX(), link.maxY() + 40}));
    EXPECT_EQ(opened_.size(), 1u);
}

TEST_F(WebViewTest, ReloadFetchesTheAddressAgain) {
    LoopbackServer server({200, "text/html", "<p>Once</p>"});
    web_->loadUrl(server.url());
    waitForLoad();
    web_->reload();
    waitForLoad();
    EXPECT_EQ(server.requests(), 2);
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "finish", "start", "finish"}));
}

TEST_F(WebViewTest, FailuresReachTheDelegateWithAClearMessage) {
    using Kind = WebView::LoadFailure::Kind;
    struct Case {
        const char* what;
        LoopbackServer::Response response;
        const char* message;
        Kind kind;
        long status;
    } cases[] = {
        {"error status",
         {404, "text/html", "<p>gone</p>"},
         "The server answered with status 404.",
         Kind::errorStatus,
         404},
        {"server error",
         {500, "text/html", ""},
         "The server answered with status 500.",
         Kind::errorStatus,
         500},
        {"not HTML",
         {200, "text/plain", "plain"},
         "The page is not HTML (text/plain).",
         Kind::notHtml,
         0},
        {"picture",
         {200, "image/png", "\x89PNG"},
         "The page is not HTML (image/png).",
         Kind::notHtml,
         0},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        recorder_->events.clear();
        LoopbackServer server(row.response);
        web_->loadUrl(server.url());
        waitForLoad();
        EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "fail"}));
        EXPECT_EQ(recorder_->failure, row.message);
        ASSERT_TRUE(web_->lastFailure());
        EXPECT_EQ(web_->lastFailure()->kind, row.kind);
        EXPECT_EQ(web_->lastFailure()->status, row.status);
    }
}

TEST_F(WebViewTest, AClosedPortFails) {
    web_->loadUrl("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/");
    waitForLoad();
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "fail"}));
    EXPECT_FALSE(recorder_->failure.empty());
    ASSERT_TRUE(web_->lastFailure());
    EXPECT_EQ(web_->lastFailure()->kind, WebView::LoadFailure::Kind::unreachable);
    EXPECT_TRUE(log_->contains("WebView: http://127.0.0.1:"));
}

TEST_F(WebViewTest, APageThatDoesNotAnswerTimesOut) {
    LoopbackServer server({}, true);
    web_->setTimeoutInterval(2);
    web_->loadUrl(server.url());
    for (int round = 0; round < 300 && web_->isLoading(); ++round) {
        advance(0.01);
    }
    RunLoop::current().runOnce();
    EXPECT_FALSE(web_->isLoading());
    EXPECT_EQ(recorder_->failure, "The page did not answer within 2 seconds.");
    ASSERT_TRUE(web_->lastFailure());
    EXPECT_EQ(web_->lastFailure()->kind, WebView::LoadFailure::Kind::timedOut);
    web_->reload();
    EXPECT_FALSE(web_->lastFailure());
}

TEST_F(WebViewTest, OnlyWebAddressesAreFetched) {
    web_->loadUrl("file:///etc/passwd");
    waitForLoad();
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "fail"}));
    EXPECT_TRUE(web_->page().blocks().empty());
}

TEST_F(WebViewTest, AHugePageIsCutAndStillShown) {
    // The cut falls inside the script, so the closing paragraph never arrives.
    std::string body = "<p>start</p><script>" + std::string(WebView::maximumPageBytes, 'x') +
                       "</script><p>end</p>";
    LoopbackServer server({200, "text/html", body});
    web_->loadUrl(server.url());
    waitForLoad();
    EXPECT_EQ(recorder_->events, (std::vector<std::string>{"start", "finish"}));
    EXPECT_EQ(web_->displayedText(), "start");
    EXPECT_TRUE(log_->contains("the page was cut at"));
}

} // namespace
} // namespace florelle
