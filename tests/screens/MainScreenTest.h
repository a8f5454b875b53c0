// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingPresenter.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Strings.h"
#include "host/HeadlessHost.h"
#include "screens/FlorelleAppDelegate.h"
#include "screens/MainViewController.h"
#include "screens/StatusCloud.h"
#include "support/TestEnvironment.h"

#include <memory>
#include <string>
#include <vector>

namespace florelle {
class FolderPickerController;
}

namespace florelle::testing {

// The text the screens show for a key, in the test's language.
inline std::string t(const char* key) {
    return Strings::localized(key);
}

// Our own file picker, in the sheet `presenter` shows; nullptr without one.
FolderPickerController* pickerOver(const ViewController& presenter);

// A page that notes every operation the main screen forwards to it.
class RecordingPage : public MainPage {
public:
    std::vector<std::string> calls;

    void dismissInfoView() override { calls.push_back("dismissInfoView"); }
    void infoBtnClicked() override { calls.push_back("infoBtnClicked"); }
    void makeUsedDate(Date date) override { calls.push_back("makeUsedDate " + day(date)); }
    void keyboardDownClicked() override { calls.push_back("keyboardDownClicked"); }
    void scrollToLeft() override { calls.push_back("scrollToLeft"); }
    void reloadCalendar() override { calls.push_back("reloadCalendar"); }
    void setSi(int units) override { calls.push_back("setSi " + std::to_string(units)); }
    void setCalendarWithDate(Date date) override {
        calls.push_back("setCalendarWithDate " + day(date));
    }
    void setLastSelectedDate(Date date) override {
        calls.push_back("setLastSelectedDate " + day(date));
    }
    void reloadEverything() override { calls.push_back("reloadEverything"); }
    void setSkin(int skin) override { calls.push_back("setSkin " + std::to_string(skin)); }
    void deselectCell() override { calls.push_back("deselectCell"); }
    void changePeriodModeTo(int mode) override {
        calls.push_back("changePeriodModeTo " + std::to_string(mode));
    }
    void reloadGraph() override { calls.push_back("reloadGraph"); }
    void reloadButtons() override { calls.push_back("reloadButtons"); }
    void checkConnectivity() override { calls.push_back("checkConnectivity"); }
    void reloadTables() override { calls.push_back("reloadTables"); }
    void popController() override { calls.push_back("popController"); }
    void setNotification(int kind, int days) override {
        calls.push_back("setNotification " + std::to_string(kind) + " " + std::to_string(days));
    }

    bool called(const std::string& call) const;

private:
    // The date as the local day and time, "2026-03-01 23:59:59", or "epoch".
    static std::string day(Date date);
};

// The application started on the main screen by a headless host, its
// diary set up by the test first. The cycle is 28 days, periods 5 days,
// ovulation on day 14; today is 1 March 2026, 12:00 UTC, unless a test
// launches at another moment.
class MainScreenTest : public DiaryTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void launch(Date now, const LaunchOptions& options = {});
    void launch();
    MainViewController& main() const { return *delegate_->mainViewController(); }
    HeadlessHost& host() const { return *host_; }
    // Replaces a page by a recording one, built as if it had been shown, so
    // that it hears what the main screen tells the built pages.
    RecordingPage& record(MainPageKind kind);
    // Where the application's forum page looks: a port on 127.0.0.1 that
    // nothing listens on unless the test serves there.
    const std::string& forumAddress() const { return forumAddress_; }
    int forumPort() const { return forumPort_; }
    // The window point over the middle of a petal at rest.
    Point petalPoint(MainPageKind kind) const;
    // A main-view point in window coordinates.
    static Point inWindow(Point point) { return {point.x, point.y + 20}; }
    // Opens the petal by a tap and lets every animation end.
    void openPetal(MainPageKind kind);
    // How many times the diary was told changed since the test began.
    int diaryChanges() const { return *diaryChanges_; }
    // Taps the middle of a view, then lets `settle` seconds pass.
    void tapView(View& view, double settle = 1);
    // Saves the screen as <name>.png under FLORELLE_SCREENSHOT_DIR, when set.
    void keepScreenshot(const std::string& name);

    // What the application put on the desktop.
    std::shared_ptr<RecordingPresenter> presenter_;
    std::shared_ptr<FlorelleAppDelegate> delegate_;
    std::unique_ptr<HeadlessHost> host_;
    std::shared_ptr<int> diaryChanges_ = std::make_shared<int>(0);
    NotificationCenter::Observation diaryChangeCount_;
    std::string forumAddress_;
    int forumPort_ = 0;
};

} // namespace florelle::testing
