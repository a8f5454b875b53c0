// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <functional>
#include <memory>

namespace florelle {

class Button;
class ImageView;
class Label;
class ScrollView;

// The panel at the bottom of the main screen: the dock's bar with the page's
// title, a back button for pushed settings screens and a shortcut back to the
// calendar, over the strip of pages side by side, one on show at a time.
class InfoPanel : public View {
public:
    static constexpr double pageWidth = 320;

    InfoPanel();

    std::function<void()> onBack;
    std::function<void()> onGoToCalendar;

    // A page's view on the strip at offset x.
    void placePage(const std::shared_ptr<View>& page, double x);
    void showPage(double x, bool animated);
    double pageOffset() const;

    // The raised dock and its title, or the lowered dock alone.
    void setRaised(bool raised, int skin);
    void setSkin(int skin, bool raised);
    void setCalendarShortcutShown(bool shown);
    bool calendarShortcutShown() const;

    ImageView& dock() const { return *dock_; }
    Button& backButton() const { return *back_; }
    Label& title() const { return *title_; }
    ScrollView& strip() const { return *strip_; }
    Button& calendarButton() const { return *calendarButton_; }
    Label& calendarLabel() const { return *calendarLabel_; }

private:
    void showDock(bool raised, int skin);

    std::shared_ptr<ImageView> dock_;
    std::shared_ptr<Button> back_;
    std::shared_ptr<Label> title_;
    std::shared_ptr<ScrollView> strip_;
    std::shared_ptr<Button> calendarButton_;
    std::shared_ptr<Label> calendarLabel_;
};

} // namespace florelle
