// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDataSource.h"
#include "CalGridViewDelegate.h"
#include "CalLogic.h"
#include "CalView.h"
#include "CalViewControllerDelegate.h"
#include "foundation/NotificationCenter.h"

#include <memory>
#include <optional>
#include <string>

namespace florelle {

// Joins the month logic, the calendar view, a data source and the hosting
// screen. Make it with create(); the host then sets itself as delegate, a
// data source, and adds view() to its own view. Neither the delegate nor the
// data source is owned. Every live controller reloads its marks when
// "CalDataSourceChangedNotification" is posted, and moves its today mark on a
// significant time change.
class CalViewController : public CalGridViewDelegate,
                          public CalDataSourceDelegate,
                          public std::enable_shared_from_this<CalViewController> {
public:
    static constexpr const char* dataSourceChangedNotification = "CalDataSourceChangedNotification";
    // The screen's application frame: 320 × 480 less the 20-point status bar.
    static Rect defaultFrame() { return Rect(0, 0, 320, 460); }

    // On the month of the date; without one, of the current date.
    static std::shared_ptr<CalViewController> create(std::optional<Date> selectedDate = {});

    void setDelegate(std::weak_ptr<CalViewControllerDelegate> delegate);
    void setDataSource(std::weak_ptr<CalDataSource> dataSource);

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Built on first use, on the initial date's day, with the marks loaded.
    const std::shared_ptr<CalView>& view();
    bool isViewLoaded() const { return view_ != nullptr; }
    // Where view() is built; set before the first use.
    void setViewFrame(Rect frame) { viewFrame_ = frame; }

    const CalLogic& logic() const { return *logic_; }
    Date initialDate() const { return initialDate_; }
    // The selected day's local midnight.
    Date selectedDate() const;

    // Ignored while the grid slides; else jumps to the date's month and
    // selects its day, shaded or not.
    void showAndSelectDate(Date date);
    // Asks the data source for the marks of the days on show.
    void reloadData();
    void showFollowingMonth() override;
    void showPreviousMonth() override;
    void significantTimeChangeOccurred();

    void loadedDataSource(CalDataSource& dataSource) override;
    void didSelectDate(const CalDate& date, bool byTouch) override;
    void changeCalSize(int height) override;

private:
    explicit CalViewController(Date selectedDate);
    void loadView();

    std::shared_ptr<CalLogic> logic_;
    std::shared_ptr<CalView> view_;
    std::weak_ptr<CalViewControllerDelegate> delegate_;
    std::weak_ptr<CalDataSource> dataSource_;
    Date initialDate_;
    Rect viewFrame_ = defaultFrame();
    std::string title_ = "Calendar";
    NotificationCenter::Observation timeChangeObservation_;
    NotificationCenter::Observation dataSourceObservation_;
};

} // namespace florelle
