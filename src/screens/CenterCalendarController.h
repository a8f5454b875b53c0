// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCalendarDelegate.h"
#include "calendar/CalViewController.h"
#include "calendar/CalViewControllerDelegate.h"
#include "calendar/CenterCalendarDataSource.h"
#include "foundation/Timer.h"

#include <memory>
#include <string>

namespace florelle {

class Button;
class Label;
class View;

// The start/end date picker the centre button slides in: one tap on a day
// records a period's start or the open period's end. A pick is held for half
// a second before the main screen saves it; picks in between are ignored.
// A bar over the month calendar names what is picked and holds "Cancel".
class CenterCalendarController : public CalViewControllerDelegate,
                                 public std::enable_shared_from_this<CenterCalendarController> {
public:
    static constexpr double pickDelay = 0.5;

    // The main screen outlives the picker it owns.
    static std::shared_ptr<CenterCalendarController> create(CenterCalendarDelegate& delegate);

    // 320 × 460: the bar, then the month calendar.
    const std::shared_ptr<View>& view() const { return view_; }

    // Start mode shades days up to the last recorded end, end mode days
    // before `selectedDate`; both shade the future. Shows and selects
    // `selectedDate`'s day. The last flag has no use here.
    void changeCenterCal(bool startMode, Date selectedDate, bool disableDelete);
    void setCalendarWithDate(Date date);
    void cancelClicked();
    // The held pick goes to the main screen to be saved.
    void selectDateTmr();

    const std::string& title() const { return title_; }
    bool lock() const { return lock_; }
    Date pickedDate() const { return pickedDate_; }
    CalViewController& calViewController() const { return *calViewController_; }
    Label& titleLbl() const { return *titleLbl_; }
    Button& cancelButton() const { return *cancelButton_; }

    void didSelectDate(Date date) override;
    void reloadInfoForDate(Date) override {}
    void changeCalSize(int height) override;

private:
    explicit CenterCalendarController(CenterCalendarDelegate& delegate);
    void build();

    CenterCalendarDelegate& delegate_;
    std::shared_ptr<CenterCalendarDataSource> dataSource_;
    std::shared_ptr<CalViewController> calViewController_;
    std::shared_ptr<View> view_;
    std::shared_ptr<Label> titleLbl_;
    std::shared_ptr<Button> cancelButton_;
    std::shared_ptr<Label> cancelLbl_;
    std::string title_;
    Date pickedDate_;
    bool lock_ = false;
    Timer pickTmr_;
};

} // namespace florelle
