// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Strings.h"
#include "screens/ForumController.h"
#include "screens/ForumFailureView.h"
#include "support/FakeNetwork.h"
#include "support/LoopbackServer.h"
#include "ui/ActivityIndicator.h"
#include "ui/Button.h"
#include "ui/Label.h"

#include <chrono>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

const char* forumPage = R"(<!DOCTYPE html>
<html><head><title>Florelle forum</title></head><body>
<h1>Florelle forum</h1>
<p>Talk with other women about cycles, symptoms and everything in between.</p>
<h2>Latest topics</h2>
<ul><li>Cramps on the second day</li><li>Tracking after stopping the pill</li>
<li>Does stress move ovulation?</li></ul>
<p><a href="/rules">House rules</a></p>
</body></html>)";

class ForumPageTest : public MainScreenTest {
protected:
    // The application with a forum page for `address` on its strip.
    ForumController& startWithForum(const std::string& address) {
        launch();
        forum_ = std::make_shared<ForumController>(address);
        main().setPage(MainPageKind::forum, forum_);
        return *forum_;
    }

    // Serves the run loop, the clock creeping on, until the load is over.
    void waitForLoad() {
        for (int round = 0; round < 5000 && forum_->webView().isLoading(); ++round) {
            host().advance(0.001);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        host().advance(0.001);
        ASSERT_FALSE(forum_->webView().isLoading());
    }

    Point tryAgainPoint() const {
        Button& button = forum_->failureView().tryAgainButton();
        Rect frame = button.frame();
        return button.superview()->convertPointToWindow(Point{frame.midX(), frame.midY()});
    }

    // The application's own forum page, on forumAddress().
    ForumController& appForum() {
        forum_ = std::dynamic_pointer_cast<ForumController>(
            main().page(MainPageKind::forum).shared_from_this());
        return *forum_;
    }

    FakeNetwork network_;
    std::shared_ptr<ForumController> forum_;
};

TEST_F(ForumPageTest, OpeningThePetalShowsTheForum) {
    LoopbackServer server({200, "text/html; charset=utf-8", forumPage});
    ForumController& forum = startWithForum(server.url("/"));
    host().advance(1);
    EXPECT_EQ(server.requests(), 0) << "nothing is fetched before the page is opened";

    host().tap(petalPoint(MainPageKind::forum));
    EXPECT_TRUE(forum.loadingIndicator().isAnimating());
    host().advance(1.5);
    waitForLoad();
    EXPECT_EQ(server.requests(), 1);
    EXPECT_EQ(forum.webView().page().title(), "Florelle forum");
    EXPECT_FALSE(forum.webView().bounces());
    EXPECT_FALSE(forum.loadingIndicator().isAnimating());
    EXPECT_TRUE(forum.failureView().isHidden());
    keepScreenshot("forum-online");
}

TEST_F(ForumPageTest, AFailedLoadSaysWhyInWordsAndOffersToTryAgain) {
    struct Case {
        const char* what;
        LoopbackServer::Response response;
        bool silent;
        std::string text;
    };
    launch();
    const Case cases[] = {
        {"error answer",
         {500, "text/html", "<p>oops</p>"},
         false,
         Strings::localizedFormat("Forum error Key", 500)},
        {"not a page",
         {200, "application/json", "{}"},
         false,
         Strings::localized("Forum not a page Key")},
        {"no answer in time", {}, true, Strings::localized("Forum timed out Key")},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        LoopbackServer server(row.response, row.silent);
        forum_ = std::make_shared<ForumController>(server.url("/"));
        main().setPage(MainPageKind::forum, forum_);
        forum_->checkConnectivity();
        if (row.silent) {
            host().advance(ForumController::timeoutInterval + 1);
        }
        waitForLoad();
        EXPECT_FALSE(forum_->failureView().isHidden());
        EXPECT_EQ(forum_->failureView().message(), row.text);
        EXPECT_TRUE(log_->contains(forum_->webView().lastFailure()->message));
    }
}

TEST_F(ForumPageTest, TryAgainLoadsTheForumOnceItIsUp) {
    launch();
    ForumController& forum = appForum();
    EXPECT_EQ(forum.forumAddress(), forumAddress());
    openPetal(MainPageKind::forum);
    waitForLoad();
    EXPECT_FALSE(forum.failureView().isHidden());
    EXPECT_EQ(forum.failureView().message(), Strings::localized("Forum unreachable Key"));
    EXPECT_EQ(forum.failureView().tryAgainButton().currentTitle(),
              Strings::localized("Forum try again Key"));
    keepScreenshot("forum-unreachable");

    LoopbackServer server({200, "text/html", forumPage}, false, forumPort());
    host().tap(tryAgainPoint());
    EXPECT_TRUE(forum.failureView().isHidden());
    waitForLoad();
    EXPECT_EQ(server.requests(), 1);
    EXPECT_TRUE(forum.failureView().isHidden());
    EXPECT_EQ(forum.webView().page().title(), "Florelle forum");
}

TEST_F(ForumPageTest, TheNoticeFollowsTheNetwork) {
    network_.setFlags(0);
    launch();
    ForumController& forum = appForum();
    EXPECT_FALSE(forum.internetMonitor());
    openPetal(MainPageKind::forum);
    waitForLoad();
    ASSERT_TRUE(forum.internetMonitor());
    EXPECT_FALSE(forum.noticeView().isHidden());
    EXPECT_EQ(forum.infoLbl().text(), Strings::localized(ForumController::offlineNotice));
    EXPECT_EQ(Strings::localized(ForumController::offlineNotice),
              "Internet connection is off! Please connect to the internet to be able to visit "
              "Florelle forum.");
    keepScreenshot("forum-offline");

    struct Step {
        std::optional<NetworkFlags> flags;
        bool noticeShown;
    };
    const Step steps[] = {
        {FakeNetwork::online, false},
        {0, true},
        {NetworkFlag::reachable | NetworkFlag::isCellular, false},
        {std::nullopt, true},
    };
    for (const Step& step : steps) {
        network_.setFlags(step.flags);
        network_.announceChange();
        host().advance(0.01);
        EXPECT_EQ(!forum.noticeView().isHidden(), step.noticeShown);
    }

    // Opened again online, the page loads afresh under no notice.
    network_.setFlags(FakeNetwork::online);
    main().bringInfoDown();
    host().advance(1);
    openPetal(MainPageKind::forum);
    EXPECT_TRUE(forum.noticeView().isHidden());
}

} // namespace
