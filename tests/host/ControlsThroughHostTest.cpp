// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostTest.h"
#include "host/TextInputSwitch.h"
#include "support/LoopbackServer.h"
#include "ui/AlertView.h"
#include "ui/Keyboard.h"
#include "ui/NavigationController.h"
#include "ui/PickerView.h"
#include "ui/ScrollView.h"
#include "ui/TableCellEditingControl.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/WebView.h"

#include <chrono>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

namespace florelle::testing {
namespace {

// The controls driven as a user drives them: fingers and typing through the
// headless host, time through its clock.
class ControlsThroughHostTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        launch([](Window&) {});
        window_ = host_->keyWindow();
    }

    void add(const std::shared_ptr<View>& view) {
        window_->addSubview(view);
        host_->advance(0);
    }

    std::shared_ptr<Window> window_;
};

TEST_F(ControlsThroughHostTest, ADragScrollsAndTheContentGlidesToAStop) {
    auto scroll = std::make_shared<ScrollView>(Rect(0, 0, 320, 480));
    scroll->setContentSize(Size{320, 5000});
    add(scroll);
    host_->drag(Point{160, 400}, Point{160, 100}, 6);
    // The first 50-point step only starts the drag; the content follows the other five.
    double atLiftOff = scroll->contentOffset().y;
    EXPECT_EQ(atLiftOff, 250);
    EXPECT_TRUE(scroll->isDecelerating());
    host_->advance(0.2);
    double gliding = scroll->contentOffset().y;
    EXPECT_GT(gliding, atLiftOff);
    host_->advance(5);
    EXPECT_FALSE(scroll->isDecelerating());
    double stopped = scroll->contentOffset().y;
    EXPECT_GT(stopped, gliding);
    host_->advance(1);
    EXPECT_EQ(scroll->contentOffset().y, stopped);
}

class Diary : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfRowsInSection(TableView&, int) override { return rows; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override {
        auto cell = table.dequeueReusableCell("day");
        if (!cell) {
            cell = std::make_shared<TableViewCell>("day");
            ++made;
        }
        cell->textLabel()->setText("Day " + std::to_string(path.row));
        return cell;
    }
    void commitEditingStyle(TableView& table, TableViewCell::EditingStyle,
                            IndexPath path) override {
        deleted.push_back(path.row);
        --rows;
        table.reloadData();
    }
    void didSelectRow(TableView&, IndexPath path) override { selected.push_back(path.row); }

    int rows = 60;
    int made = 0;
    std::vector<int> selected;
    std::vector<int> deleted;
};

TEST_F(ControlsThroughHostTest, ATableReusesCellsReportsSelectionsAndAsksBeforeDeleting) {
    auto diary = std::make_shared<Diary>();
    auto table = std::make_shared<TableView>(Rect(0, 0, 320, 480), TableView::Style::plain);
    table->dataSource = diary;
    table->setDelegate(diary);
    add(table);
    table->reloadData();
    for (int drag = 0; drag < 4; ++drag) {
        host_->drag(Point{160, 420}, Point{160, 120}, 30);
        host_->advance(3);
    }
    EXPECT_GT(table->contentOffset().y, 1000);
    EXPECT_LE(diary->made, 13);

    auto first = table->indexPathsForVisibleRows().front();
    Rect row = table->rectForRow(IndexPath{0, first.row + 2});
    host_->tap(table->convertPointToWindow(Point{row.midX(), row.midY()}));
    EXPECT_EQ(diary->selected, std::vector<int>{first.row + 2});

    table->setEditing(true, false);
    auto cell = table->cellForRow(IndexPath{0, first.row + 3});
    host_->tap(cell->editingControl()->convertPointToWindow(Point{16, 22}));
    EXPECT_TRUE(cell->showsDeleteConfirmation());
    EXPECT_TRUE(diary->deleted.empty());
    host_->tap(cell->deleteConfirmationButton()->convertPointToWindow(Point{20, 10}));
    EXPECT_EQ(diary->deleted, std::vector<int>{first.row + 3});
    EXPECT_EQ(table->numberOfRowsInSection(0), 59);
}

class Weights : public PickerViewDataSource, public PickerViewDelegate {
public:
    int numberOfComponents(PickerView&) override { return 1; }
    int numberOfRowsInComponent(PickerView&, int) override { return 200; }
    std::string titleForRow(PickerView&, int row, int) override { return std::to_string(row); }
    void didSelectRow(PickerView&, int row, int) override { picked.push_back(row); }
    std::vector<int> picked;
};

TEST_F(ControlsThroughHostTest, APickerSnapsToTheNearestRowAfterAFlick) {
    auto weights = std::make_shared<Weights>();
    auto picker = std::make_shared<PickerView>(Rect(0, 264, 320, PickerView::defaultHeight));
    picker->dataSource = weights;
    picker->delegate = weights;
    add(picker);
    picker->reloadAllComponents();
    host_->drag(Point{160, 450}, Point{160, 300}, 5);
    host_->advance(5);
    auto wheel = picker->wheel(0);
    double rows = wheel->contentOffset().y / wheel->rowHeight();
    EXPECT_EQ(rows, std::round(rows));
    EXPECT_GT(rows, 4);
    EXPECT_EQ(weights->picked, std::vector<int>{static_cast<int>(rows)});
    EXPECT_EQ(picker->selectedRowInComponent(0), static_cast<int>(rows));
}

TEST_F(ControlsThroughHostTest, TypingIntoASecureFieldShowsDotsAndTheKeyboardFollowsTheField) {
    auto field = std::make_shared<TextField>(Rect(20, 60, 280, 31));
    field->setSecureTextEntry(true);
    add(field);
    host_->tap(Point{160, 75});
    auto keyboard = Keyboard::of(*window_);
    ASSERT_TRUE(keyboard);
    host_->advance(Keyboard::slideDuration);
    EXPECT_EQ(keyboard->frame(), Rect(0, 264, 320, 216));

    host_->type("pass");
    const Keyboard::Key* key = keyboard->keyLabelled("w");
    host_->tap(keyboard->convertPointToWindow(Point{key->frame.midX(), key->frame.midY()}));
    EXPECT_EQ(field->text(), "passw");
    EXPECT_EQ(field->displayedText(), "\u2022\u2022\u2022\u2022\u2022");
    EXPECT_NE(host_->dump().find("\u2022\u2022\u2022\u2022\u2022"), std::string::npos);
    EXPECT_EQ(host_->dump().find("passw"), std::string::npos);

    field->resignFirstResponder();
    host_->advance(Keyboard::slideDuration);
    EXPECT_TRUE(keyboard->isHidden());
    EXPECT_EQ(keyboard->frame().minY(), 480);
}

TEST_F(ControlsThroughHostTest, PlatformTextInputIsOnOnlyWhileAFieldIsFirstResponder) {
    std::vector<bool> turns;
    TextInputSwitch textInput([&](bool on) { turns.push_back(on); });
    auto follow = [&] { textInput.follow(host_->application()); };
    follow();
    EXPECT_EQ(turns, std::vector<bool>{false}) << "off from the start";
    auto field = std::make_shared<TextField>(Rect(20, 60, 280, 31));
    auto other = std::make_shared<TextField>(Rect(20, 100, 280, 31));
    add(field);
    add(other);
    host_->tap(Point{160, 75});
    follow();
    host_->tap(Point{160, 115});
    follow();
    EXPECT_EQ(turns, (std::vector<bool>{false, true})) << "from field to field it stays on";
    EXPECT_TRUE(textInput.isOn());
    other->resignFirstResponder();
    follow();
    follow();
    EXPECT_EQ(turns, (std::vector<bool>{false, true, false}));
}

class Choice : public AlertViewDelegate {
public:
    void clickedButtonAtIndex(AlertView&, int index) override { pressed.push_back(index); }
    std::vector<int> pressed;
};

TEST_F(ControlsThroughHostTest, AnAlertReportsTheButtonPressed) {
    auto choice = std::make_shared<Choice>();
    auto alert = std::make_shared<AlertView>("Rate Florelle", "Would you rate it?", choice, "No",
                                             std::vector<std::string>{"Yes, rate it!", "Later"});
    alert->show();
    host_->advance(AlertView::fadeDuration);
    auto later = alert->button(2);
    host_->tap(later->convertPointToWindow(Point{later->bounds().midX(), 10}));
    EXPECT_EQ(choice->pressed, std::vector<int>{2});
    host_->advance(1);
    EXPECT_EQ(alert->superview(), nullptr);
}

class Screen : public ViewController {
public:
    Screen(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {
        setTitle(name_);
    }
    void viewWillAppear(bool) override { log_.push_back(name_ + " will appear"); }
    void viewDidAppear(bool) override { log_.push_back(name_ + " did appear"); }
    void viewWillDisappear(bool) override { log_.push_back(name_ + " will disappear"); }
    void viewDidDisappear(bool) override { log_.push_back(name_ + " did disappear"); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST_F(ControlsThroughHostTest, PushAndPopAnimateAndCallTheLifecycleInOrder) {
    std::vector<std::string> log;
    auto settings = std::make_shared<Screen>("settings", log);
    auto navigation = std::make_shared<NavigationController>(settings);
    navigation->view()->setFrame(Rect(0, 20, 320, 460));
    add(navigation->view());
    auto passcode = std::make_shared<Screen>("passcode", log);
    navigation->pushViewController(passcode, true);
    host_->advance(NavigationController::slideDuration / 2);
    double halfway = passcode->view()->presentationFrame().minX();
    EXPECT_GT(halfway, 0);
    EXPECT_LT(halfway, 320);
    host_->advance(NavigationController::slideDuration);
    EXPECT_EQ(passcode->view()->presentationFrame().minX(), 0);

    // The back button.
    host_->tap(navigation->navigationBar()->leftButton()->convertPointToWindow(Point{10, 10}));
    host_->advance(NavigationController::slideDuration / 2);
    EXPECT_GT(passcode->view()->presentationFrame().minX(), 0);
    host_->advance(NavigationController::slideDuration);
    EXPECT_EQ(log, (std::vector<std::string>{"settings will disappear", "passcode will appear",
                                             "settings did disappear", "passcode did appear",
                                             "passcode will disappear", "settings will appear",
                                             "passcode did disappear", "settings did appear"}));
}

class Loads : public WebViewDelegate {
public:
    void webViewDidFinishLoad(WebView&) override { finished = true; }
    void didFailLoadWithError(WebView&, const std::string& message) override { failure = message; }
    bool finished = false;
    std::string failure;
};

TEST_F(ControlsThroughHostTest, AWebViewShowsALocalPageAndFailsOnAClosedPort) {
    auto loads = std::make_shared<Loads>();
    auto web = std::make_shared<WebView>(Rect(0, 0, 320, 480));
    web->webDelegate = loads;
    add(web);
    auto wait = [&] {
        for (int round = 0; round < 5000 && web->isLoading(); ++round) {
            host_->advance(0.001);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        host_->advance(0);
    };
    LoopbackServer server(
        {200, "text/html", "<h1>Forum</h1><p>Ask <a href='/faq'>questions</a> here.</p>"});
    web->loadUrl(server.url());
    wait();
    EXPECT_TRUE(loads->finished);
    EXPECT_EQ(web->displayedText(), "Forum\nAsk questions here.");
    EXPECT_NE(host_->dump().find("Ask questions here."), std::string::npos);

    web->loadUrl("http://127.0.0.1:" + std::to_string(LoopbackServer::closedPort()) + "/");
    wait();
    EXPECT_FALSE(loads->failure.empty());
}

} // namespace
} // namespace florelle::testing
