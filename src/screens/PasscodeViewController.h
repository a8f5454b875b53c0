// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PasscodeViewControllerDelegate.h"
#include "ui/TextFieldDelegate.h"
#include "ui/ViewController.h"

#include <array>
#include <memory>
#include <string>

namespace florelle {

class Label;
class PasscodePage;
class TextField;

// The four-digit passcode panel: three pages side by side on a strip, of
// which one is in view, and a hidden field that holds the keyboard (the
// number pad, or the physical keyboard) and receives every keystroke. Each
// keystroke is shown in the box of its digit on the current page; the
// delegate decides what a finished code means and which page comes next.
//
// Keystrokes: one digit at a time, at most four; deleting empties the box of
// the deleted digit. Anything else is refused.
class PasscodeViewController : public ViewController, public TextFieldDelegate {
public:
    static constexpr int firstPanel = 0;
    static constexpr int secondPanel = -320;
    static constexpr int thirdPanel = -640;
    static constexpr int textFieldTag = 12;
    static constexpr double switchDuration = 0.2;

    explicit PasscodeViewController(std::weak_ptr<PasscodeViewControllerDelegate> delegate);

    int currentPanel() const { return currentPanel_; }
    // Slides the strip to the page tagged x over 0.2 s, makes it current,
    // tells the delegate, then clears it. Tags other than the three are ignored.
    void switchPanel(int x);
    // One page on (left); false on the last page.
    bool nextPanel();
    // One page back (right); false on the first page.
    bool prevPanel();
    // Empties the boxes of the current page and the hidden field.
    void clearPanel();

    // The title on the navigation bar above the panel.
    void setBarTitle(const std::string& title);

    const std::shared_ptr<Label>& titleLabel();
    const std::shared_ptr<Label>& summaryLabel();
    const std::shared_ptr<TextField>& myTextField();
    // The page with the tag; empty for other tags.
    std::shared_ptr<PasscodePage> page(int tag);
    // The strip that holds the pages; its x offset is the current page's tag.
    const std::shared_ptr<View>& containerView();

    void viewWillAppear(bool animated) override;

    bool shouldChangeCharacters(TextField& field, TextRange range,
                                std::string_view replacement) override;

protected:
    void loadView() override;

private:
    PasscodePage& current();

    std::weak_ptr<PasscodeViewControllerDelegate> delegate_;
    int currentPanel_ = firstPanel;
    std::shared_ptr<View> container_;
    std::array<std::shared_ptr<PasscodePage>, 3> pages_;
    std::shared_ptr<TextField> textField_;
};

} // namespace florelle
