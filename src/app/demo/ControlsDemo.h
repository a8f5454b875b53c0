// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/AlertViewDelegate.h"
#include "ui/NavigationController.h"
#include "ui/PickerViewDataSource.h"
#include "ui/PickerViewDelegate.h"
#include "ui/TableViewDataSource.h"
#include "ui/TableViewDelegate.h"
#include "ui/TextFieldDelegate.h"
#include "ui/ViewController.h"
#include "ui/WebViewDelegate.h"

#include <memory>
#include <string>
#include <vector>

namespace florelle {

class Label;
class TableView;
class Window;

// A tour of the controls: a list of them under a navigation bar; picking one
// pushes a page that shows it at work (a long scroll area, an editable
// grouped table, weight wheels, text fields with the keyboard, an alert, the
// busy wheel and a web page). Open it with openOver() or make().
class ControlsDemo : public ViewController,
                     public TableViewDataSource,
                     public TableViewDelegate,
                     public PickerViewDataSource,
                     public PickerViewDelegate,
                     public TextFieldDelegate,
                     public AlertViewDelegate,
                     public WebViewDelegate {
public:
    // The tour inside its navigation controller; `onClose` is called by its
    // Cancel button.
    static std::shared_ptr<NavigationController> make(std::function<void()> onClose);
    // Slides the tour up over the window, below its status bar; Cancel slides
    // it away again. The caller keeps the tour alive.
    static std::shared_ptr<NavigationController> openOver(Window& window);

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    int numberOfSections(TableView& table) override;
    int numberOfRowsInSection(TableView& table, int section) override;
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    std::string titleForHeaderInSection(TableView& table, int section) override;
    void commitEditingStyle(TableView& table, TableViewCell::EditingStyle style,
                            IndexPath path) override;
    void didSelectRow(TableView& table, IndexPath path) override;

    int numberOfComponents(PickerView&) override { return 2; }
    int numberOfRowsInComponent(PickerView&, int component) override;
    std::string titleForRow(PickerView&, int row, int component) override;
    void didSelectRow(PickerView& picker, int row, int component) override;

    bool shouldChangeCharacters(TextField& field, TextRange range,
                                std::string_view replacement) override;
    bool textFieldShouldReturn(TextField& field) override;

    void clickedButtonAtIndex(AlertView& alert, int index) override;
    void didFailLoadWithError(WebView& web, const std::string& message) override;

private:
    std::shared_ptr<ViewController> page(const std::string& title, std::shared_ptr<View> content);
    std::shared_ptr<ViewController> scrollPage();
    std::shared_ptr<ViewController> tablePage();
    std::shared_ptr<ViewController> pickerPage();
    std::shared_ptr<ViewController> textPage();
    std::shared_ptr<ViewController> alertPage();
    std::shared_ptr<ViewController> webPage();

    std::shared_ptr<TableView> list_;
    std::shared_ptr<TableView> notes_;
    std::vector<std::string> noteRows_{"Headache", "Cramps", "Tired", "Happy"};
    std::shared_ptr<Label> pickerValue_;
    std::shared_ptr<Label> answer_;
    int whole_ = 60;
    int tenths_ = 0;
};

} // namespace florelle
