// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"

#include "foundation/Calendar.h"
#include "screens/CustomApplication.h"
#include "screens/DiaryActions.h"
#include "screens/FolderPickerController.h"
#include "screens/ModalSheetController.h"
#include "storage/DatabaseController.h"
#include "support/LoopbackServer.h"
#include "ui/NavigationController.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace florelle::testing {

FolderPickerController* pickerOver(const ViewController& presenter) {
    auto* sheet = dynamic_cast<ModalSheetController*>(presenter.modalViewController());
    auto* stack = sheet ? dynamic_cast<NavigationController*>(&sheet->content()) : nullptr;
    return stack ? dynamic_cast<FolderPickerController*>(stack->topViewController()) : nullptr;
}

bool RecordingPage::called(const std::string& call) const {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

std::string RecordingPage::day(Date date) {
    if (date.timeIntervalSince1970() == 0) {
        return "epoch";
    }
    DateComponents parts = Calendar::current().components(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts.year, parts.month,
                  parts.day, parts.hour, parts.minute, parts.second);
    return text;
}

void MainScreenTest::SetUp() {
    DiaryTest::SetUp();
    // The forum page fetches on opening; in tests nothing leaves the machine.
    forumPort_ = LoopbackServer::closedPort();
    forumAddress_ = "http://127.0.0.1:" + std::to_string(forumPort_) + "/";
    ::setenv("FLORELLE_FORUM_URL", forumAddress_.c_str(), 1);
    ASSERT_TRUE(DatabaseController::saveCycleLength(28));
    ASSERT_TRUE(DatabaseController::savePeriodLength(5));
    ASSERT_TRUE(DatabaseController::saveOvulationDay(14));
    ASSERT_TRUE(DatabaseController::saveFirstTimeOn(0));
    diaryChangeCount_ = NotificationCenter::defaultCenter().addObserver(
        DiaryActions::diaryChangedNotification,
        [count = diaryChanges_](const Notification&) { ++*count; });
}

void MainScreenTest::TearDown() {
    host_.reset();
    delegate_.reset();
    presenter_.reset();
    ::unsetenv("FLORELLE_FORUM_URL");
    DiaryTest::TearDown();
}

void MainScreenTest::launch(Date now, const LaunchOptions& options) {
    clock_->set(now);
    presenter_ = std::make_shared<RecordingPresenter>();
    delegate_ = std::make_shared<FlorelleAppDelegate>(presenter_);
    host_ =
        std::make_unique<HeadlessHost>(delegate_, now, 2, std::make_unique<CustomApplication>());
    host_->launch(options);
}

void MainScreenTest::launch() {
    launch(Date(utcSeconds(2026, 3, 1, 12)));
}

RecordingPage& MainScreenTest::record(MainPageKind kind) {
    auto page = std::make_shared<RecordingPage>();
    main().setPage(kind, page);
    page->view();
    return *page;
}

Point MainScreenTest::petalPoint(MainPageKind kind) const {
    Point rest = PetalTable::row(kind).restingCenter();
    Rect flower = main().flowerView().frame();
    return inWindow({flower.minX() + rest.x, flower.minY() + rest.y});
}

void MainScreenTest::openPetal(MainPageKind kind) {
    host_->tap(petalPoint(kind));
    host_->advance(1.5);
}

void MainScreenTest::tapView(View& view, double settle) {
    Rect bounds = view.bounds();
    host().tap(view.convertPointToWindow({bounds.midX(), bounds.midY()}));
    host().advance(settle);
}

void MainScreenTest::keepScreenshot(const std::string& name) {
    if (const char* folder = std::getenv("FLORELLE_SCREENSHOT_DIR")) {
        EXPECT_TRUE(host().screenshot(std::filesystem::path(folder) / (name + ".png")));
    }
}

} // namespace florelle::testing
