// SPDX-License-Identifier: GPL-3.0-or-later
#include "InfoPanel.h"

#include "PetalTable.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/ViewController.h"

namespace florelle {

namespace {

const Rect panelFrame{0, 420, 320, 480};
constexpr double stripY = 31;
const Size stripContent{1920, 460};
const Rect titleFrame{100, -8, 126, 54};

std::shared_ptr<Label> whiteLabel(const Rect& frame, double size, std::string_view key) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(Font::boldSystemFont(size));
    label->setTextColor(Color::white());
    label->setTextAlignment(TextAlignment::Center);
    label->setText(Strings::localized(key));
    return label;
}

} // namespace

InfoPanel::InfoPanel() : View(panelFrame) {
    dock_ = std::make_shared<ImageView>(Rect(0, 0, 320, 480));
    back_ = std::make_shared<Button>(Rect(4, 2, 60, 26));
    auto backCaption = whiteLabel(Rect(12, 3, 48, 20), 14, "Back Key");
    backCaption->setUserInteractionEnabled(false);
    back_->addSubview(backCaption);
    back_->setHidden(true);
    back_->onTouchUpInside = [this] {
        if (onBack) {
            onBack();
        }
    };
    title_ = whiteLabel(titleFrame, 18, "Add Note Key");
    title_->setHidden(true);
    addSubview(dock_);
    addSubview(back_);
    addSubview(title_);

    strip_ = std::make_shared<ScrollView>(Rect(0, stripY, 320, 480 - stripY));
    strip_->setContentSize(stripContent);
    strip_->setScrollEnabled(false);
    strip_->setShowsHorizontalScrollIndicator(false);
    strip_->setShowsVerticalScrollIndicator(false);
    addSubview(strip_);
    setBackgroundColor(Color::clear());

    calendarButton_ = std::make_shared<Button>(Rect(6, 2, 105, 25));
    calendarButton_->onTouchUpInside = [this] {
        if (onGoToCalendar) {
            onGoToCalendar();
        }
    };
    calendarLabel_ = whiteLabel(Rect(20, 0, 60, 25), 13, "Calendar Key");
    calendarLabel_->setUserInteractionEnabled(false);
    calendarButton_->addSubview(calendarLabel_);
    addSubview(calendarButton_);
    setCalendarShortcutShown(false);
}

void InfoPanel::placePage(const std::shared_ptr<View>& page, double x) {
    page->setFrame(Rect(x, 0, pageWidth, ViewController::screenHeight));
    strip_->addSubview(page);
}

void InfoPanel::showPage(double x, bool animated) {
    strip_->setContentOffset({x, 0}, animated);
}

double InfoPanel::pageOffset() const {
    return strip_->contentOffset().x;
}

void InfoPanel::setRaised(bool raised, int skin) {
    showDock(raised, skin);
    title_->setHidden(!raised);
}

void InfoPanel::showDock(bool raised, int skin) {
    dock_->setImage(
        Image::named(PetalTable::picture(raised ? "dock_up_%d.png" : "dock_%d.png", skin)));
}

void InfoPanel::setSkin(int skin, bool raised) {
    back_->setBackgroundImage(Image::named(PetalTable::picture("back_button_%d.png", skin)));
    calendarButton_->setBackgroundImage(
        Image::named(PetalTable::picture("calendar_button_%d.png", skin)));
    showDock(raised, skin);
}

void InfoPanel::setCalendarShortcutShown(bool shown) {
    calendarButton_->setHidden(!shown);
    calendarLabel_->setHidden(!shown);
}

bool InfoPanel::calendarShortcutShown() const {
    return !calendarButton_->isHidden();
}

} // namespace florelle
