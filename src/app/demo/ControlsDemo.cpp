// SPDX-License-Identifier: GPL-3.0-or-later
#include "ControlsDemo.h"

#include "ui/ActivityIndicator.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/PickerView.h"
#include "ui/ScrollView.h"
#include "ui/TableView.h"
#include "ui/TextField.h"
#include "ui/TextView.h"
#include "ui/WebView.h"
#include "ui/Window.h"

#include <cctype>
#include <cstdio>

namespace florelle {

namespace {

const char* const controls[] = {"Scroll view", "Grouped table",        "Picker wheels",
                                "Text entry",  "Alert and busy wheel", "Web page"};
constexpr int controlCount = 6;

std::shared_ptr<Label> makeLabel(const Rect& frame, const std::string& text, double size) {
    auto label = std::make_shared<Label>(frame);
    label->setText(text);
    label->setFont(Font::systemFont(size));
    label->setNumberOfLines(0);
    label->setLineBreakMode(LineBreakMode::WordWrap);
    return label;
}

std::shared_ptr<Button> makeButton(const Rect& frame, const std::string& title) {
    auto button = std::make_shared<Button>(frame);
    button->setTitle(title);
    button->setTitleColor(Color::white());
    button->setBackgroundColor(Color(0.55, 0.12, 0.26));
    return button;
}

} // namespace

std::shared_ptr<NavigationController> ControlsDemo::make(std::function<void()> onClose) {
    auto tour = std::make_shared<ControlsDemo>();
    tour->setTitle("Controls");
    tour->navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, std::move(onClose));
    auto navigation = std::make_shared<NavigationController>(tour);
    navigation->navigationBar()->setBarStyle(NavigationBar::Style::black);
    return navigation;
}

std::shared_ptr<NavigationController> ControlsDemo::openOver(Window& window) {
    constexpr double statusBar = 20;
    // The Cancel button lives inside the tour, so it knows the tour weakly.
    auto slot = std::make_shared<std::weak_ptr<NavigationController>>();
    auto tour = make([slot] {
        auto closing = slot->lock();
        if (!closing) {
            return;
        }
        auto shown = closing->view();
        Rect away = shown->frame().offsetBy(0, shown->frame().height() + statusBar);
        View::animate(
            ViewController::modalDuration, 0, AnimationCurve::easeIn,
            [&] { shown->setFrame(away); }, [shown](bool) { shown->removeFromSuperview(); });
    });
    *slot = tour;
    auto& shown = tour->view();
    Rect area(0, statusBar, window.bounds().width(), window.bounds().height() - statusBar);
    shown->setFrame(area.offsetBy(0, area.height() + statusBar));
    tour->viewWillAppear(true);
    window.addSubview(shown);
    std::weak_ptr<NavigationController> weakTour = tour;
    View::animate(
        ViewController::modalDuration, 0, AnimationCurve::easeOut, [&] { shown->setFrame(area); },
        [weakTour](bool) {
            if (auto shownTour = weakTour.lock()) {
                shownTour->viewDidAppear(true);
            }
        });
    return tour;
}

void ControlsDemo::viewDidLoad() {
    list_ = std::make_shared<TableView>(view()->bounds(), TableView::Style::plain);
    list_->dataSource = std::static_pointer_cast<TableViewDataSource>(
        std::static_pointer_cast<ControlsDemo>(shared_from_this()));
    list_->setDelegate(std::static_pointer_cast<ControlsDemo>(shared_from_this()));
    view()->addSubview(list_);
    list_->reloadData();
}

void ControlsDemo::viewWillAppear(bool) {
    // The navigation controller sized the view after it was made.
    if (list_->frame() != view()->bounds()) {
        list_->setFrame(view()->bounds());
        list_->reloadData();
    }
}

std::shared_ptr<ViewController> ControlsDemo::page(const std::string& title,
                                                   std::shared_ptr<View> content) {
    auto screen = std::make_shared<ViewController>();
    screen->setTitle(title);
    auto& shown = screen->view();
    shown->setBackgroundColor(Color(0.99, 0.93, 0.94));
    if (content) {
        shown->addSubview(content);
    }
    return screen;
}

int ControlsDemo::numberOfSections(TableView& table) {
    return &table == notes_.get() ? 2 : 1;
}

int ControlsDemo::numberOfRowsInSection(TableView& table, int section) {
    if (&table != notes_.get()) {
        return controlCount;
    }
    return section == 0 ? static_cast<int>(noteRows_.size()) : 1;
}

std::shared_ptr<TableViewCell> ControlsDemo::cellForRow(TableView& table, IndexPath path) {
    auto cell = table.dequeueReusableCell("control");
    if (!cell) {
        cell = std::make_shared<TableViewCell>("control");
    }
    if (&table != notes_.get()) {
        cell->textLabel()->setText(controls[path.row]);
        cell->setAccessoryType(TableViewCell::Accessory::disclosureIndicator);
        return cell;
    }
    cell->setAccessoryType(path.section == 0 && path.row == 0 ? TableViewCell::Accessory::checkmark
                                                              : TableViewCell::Accessory::none);
    cell->textLabel()->setText(path.section == 0 ? noteRows_[path.row] : "Add a symptom");
    return cell;
}

std::string ControlsDemo::titleForHeaderInSection(TableView& table, int section) {
    if (&table != notes_.get()) {
        return {};
    }
    return section == 0 ? "Symptoms" : "More";
}

void ControlsDemo::commitEditingStyle(TableView& table, TableViewCell::EditingStyle style,
                                      IndexPath path) {
    if (style == TableViewCell::EditingStyle::remove && path.section == 0) {
        noteRows_.erase(noteRows_.begin() + path.row);
    } else if (style == TableViewCell::EditingStyle::insert) {
        noteRows_.push_back("Symptom " + std::to_string(noteRows_.size() + 1));
    }
    table.reloadData();
}

void ControlsDemo::didSelectRow(TableView& table, IndexPath path) {
    if (&table != list_.get()) {
        table.deselectRow(path, true);
        return;
    }
    std::shared_ptr<ViewController> next;
    switch (path.row) {
    case 0:
        next = scrollPage();
        break;
    case 1:
        next = tablePage();
        break;
    case 2:
        next = pickerPage();
        break;
    case 3:
        next = textPage();
        break;
    case 4:
        next = alertPage();
        break;
    default:
        next = webPage();
        break;
    }
    table.deselectRow(path, true);
    if (auto* navigation = navigationController()) {
        navigation->pushViewController(next, true);
    }
}

std::shared_ptr<ViewController> ControlsDemo::scrollPage() {
    auto scroll = std::make_shared<ScrollView>(Rect(0, 0, 320, 416));
    scroll->setContentSize(Size{640, 1200});
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 4; ++column) {
            auto tile = std::make_shared<View>(Rect(10 + column * 160, 10 + row * 100, 140, 80));
            tile->setBackgroundColor(Color(0.80 - row * 0.04, 0.25 + column * 0.1, 0.40));
            scroll->addSubview(tile);
        }
    }
    auto button = makeButton(Rect(20, 30, 120, 40), "Flash");
    std::weak_ptr<ScrollView> weak = scroll;
    button->onTouchUpInside = [weak] {
        if (auto shown = weak.lock()) {
            shown->flashScrollIndicators();
        }
    };
    scroll->addSubview(button);
    return page("Scroll view", scroll);
}

std::shared_ptr<ViewController> ControlsDemo::tablePage() {
    notes_ = std::make_shared<TableView>(Rect(0, 0, 320, 416), TableView::Style::grouped);
    auto self = std::static_pointer_cast<ControlsDemo>(shared_from_this());
    notes_->dataSource = std::static_pointer_cast<TableViewDataSource>(self);
    notes_->setDelegate(self);
    notes_->reloadData();
    auto screen = page("Grouped table", notes_);
    std::weak_ptr<TableView> weak = notes_;
    screen->navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::edit, [weak] {
            if (auto table = weak.lock()) {
                table->setEditing(!table->isEditing(), true);
            }
        });
    return screen;
}

int ControlsDemo::numberOfRowsInComponent(PickerView&, int component) {
    return component == 0 ? 200 : 10;
}

std::string ControlsDemo::titleForRow(PickerView&, int row, int component) {
    return component == 0 ? std::to_string(row) : "." + std::to_string(row);
}

void ControlsDemo::didSelectRow(PickerView&, int row, int component) {
    (component == 0 ? whole_ : tenths_) = row;
    if (pickerValue_) {
        char text[32];
        std::snprintf(text, sizeof text, "%d.%d kg", whole_, tenths_);
        pickerValue_->setText(text);
    }
}

std::shared_ptr<ViewController> ControlsDemo::pickerPage() {
    auto content = std::make_shared<View>(Rect(0, 0, 320, 416));
    pickerValue_ = makeLabel(Rect(20, 40, 280, 40), "60.0 kg", 28);
    pickerValue_->setTextAlignment(TextAlignment::Center);
    content->addSubview(pickerValue_);
    auto picker = std::make_shared<PickerView>(Rect(0, 200, 320, PickerView::defaultHeight));
    auto self = std::static_pointer_cast<ControlsDemo>(shared_from_this());
    picker->dataSource = std::static_pointer_cast<PickerViewDataSource>(self);
    picker->delegate = std::static_pointer_cast<PickerViewDelegate>(self);
    picker->setShowsSelectionIndicator(true);
    picker->reloadAllComponents();
    picker->selectRow(whole_, 0, false);
    picker->selectRow(tenths_, 1, false);
    content->addSubview(picker);
    return page("Picker wheels", content);
}

bool ControlsDemo::shouldChangeCharacters(TextField& field, TextRange,
                                          std::string_view replacement) {
    if (field.keyboardType() != KeyboardType::numberPad) {
        return true;
    }
    for (char c : replacement) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return field.text().size() + replacement.size() <= 4;
}

bool ControlsDemo::textFieldShouldReturn(TextField& field) {
    field.resignFirstResponder();
    return true;
}

std::shared_ptr<ViewController> ControlsDemo::textPage() {
    auto content = std::make_shared<View>(Rect(0, 0, 320, 416));
    auto self = std::static_pointer_cast<ControlsDemo>(shared_from_this());
    auto passcode = std::make_shared<TextField>(Rect(20, 20, 280, 31));
    passcode->setBorderStyle(TextField::BorderStyle::roundedRect);
    passcode->setPlaceholder("Passcode (4 digits)");
    passcode->setSecureTextEntry(true);
    passcode->setKeyboardType(KeyboardType::numberPad);
    passcode->delegate = std::static_pointer_cast<TextFieldDelegate>(self);
    content->addSubview(passcode);
    auto name = std::make_shared<TextField>(Rect(20, 60, 280, 31));
    name->setBorderStyle(TextField::BorderStyle::roundedRect);
    name->setPlaceholder("Name");
    name->delegate = std::static_pointer_cast<TextFieldDelegate>(self);
    content->addSubview(name);
    auto note = std::make_shared<TextView>(Rect(20, 100, 280, 100));
    note->setText("Tap here to write a note.\nIt scrolls as it grows.");
    note->setTextColor(Color::darkGray());
    note->setBackgroundColor(Color::white());
    content->addSubview(note);
    auto done = makeButton(Rect(200, 206, 100, 32), "Done");
    std::weak_ptr<View> weakContent = content;
    done->onTouchUpInside = [weakContent] {
        if (auto shown = weakContent.lock(); shown && shown->window()) {
            if (auto responder = shown->window()->firstResponder()) {
                responder->resignFirstResponder();
            }
        }
    };
    content->addSubview(done);
    return page("Text entry", content);
}

void ControlsDemo::clickedButtonAtIndex(AlertView& alert, int index) {
    if (answer_) {
        answer_->setText("You chose \u201c" + alert.buttonTitleAtIndex(index) + "\u201d.");
    }
}

std::shared_ptr<ViewController> ControlsDemo::alertPage() {
    auto content = std::make_shared<View>(Rect(0, 0, 320, 416));
    auto self = std::static_pointer_cast<ControlsDemo>(shared_from_this());
    auto ask = makeButton(Rect(60, 30, 200, 44), "Show an alert");
    std::weak_ptr<AlertViewDelegate> weakSelf = std::static_pointer_cast<AlertViewDelegate>(self);
    ask->onTouchUpInside = [weakSelf] {
        auto alert = std::make_shared<AlertView>(
            "Rate Florelle", "Would you mind taking a moment to rate this version?", weakSelf, "No",
            std::vector<std::string>{"Yes, rate it!", "Later"});
        alert->show();
    };
    content->addSubview(ask);
    answer_ = makeLabel(Rect(20, 90, 280, 40), "", 16);
    answer_->setTextAlignment(TextAlignment::Center);
    content->addSubview(answer_);
    auto wheel = std::make_shared<ActivityIndicator>(ActivityIndicator::Style::gray);
    wheel->setCenter(Point{160, 200});
    wheel->startAnimating();
    content->addSubview(wheel);
    auto toggle = makeButton(Rect(60, 240, 200, 44), "Start or stop");
    std::weak_ptr<ActivityIndicator> weakWheel = wheel;
    toggle->onTouchUpInside = [weakWheel] {
        if (auto shown = weakWheel.lock()) {
            shown->isAnimating() ? shown->stopAnimating() : shown->startAnimating();
        }
    };
    content->addSubview(toggle);
    return page("Alert and busy wheel", content);
}

void ControlsDemo::didFailLoadWithError(WebView&, const std::string& message) {
    auto alert = std::make_shared<AlertView>("The page did not load", message,
                                             std::weak_ptr<AlertViewDelegate>(), "OK",
                                             std::vector<std::string>{});
    alert->show();
}

std::shared_ptr<ViewController> ControlsDemo::webPage() {
    auto web = std::make_shared<WebView>(Rect(0, 0, 320, 416));
    web->webDelegate = std::static_pointer_cast<WebViewDelegate>(
        std::static_pointer_cast<ControlsDemo>(shared_from_this()));
    web->loadUrl("https://example.org/");
    auto screen = page("Web page", web);
    std::weak_ptr<WebView> weak = web;
    screen->navigationItem().rightBarButtonItem =
        std::make_shared<BarButtonItem>("Reload", BarButtonItem::Style::bordered, [weak] {
            if (auto shown = weak.lock()) {
                shown->reload();
            }
        });
    return screen;
}

} // namespace florelle
