// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/CalViewController.h"
#include "calendar/CenterCalendarDataSource.h"
#include "ui/UiTest.h"

#include <memory>
#include <vector>

namespace florelle::testing {

// What the calendar told its host, in order.
struct HostCall {
    enum class Kind { didSelectDate, reloadInfoForDate, changeCalSize };
    Kind kind;
    Date date;
    int height = 0;

    bool operator==(const HostCall&) const = default;
};

class RecordingHost : public CalViewControllerDelegate {
public:
    void didSelectDate(Date date) override {
        calls.push_back({HostCall::Kind::didSelectDate, date});
    }
    void reloadInfoForDate(Date date) override {
        calls.push_back({HostCall::Kind::reloadInfoForDate, date});
    }
    void changeCalSize(int height) override {
        calls.push_back({HostCall::Kind::changeCalSize, Date(), height});
    }
    std::vector<Date> picks() const;
    std::vector<int> heights() const;

    std::vector<HostCall> calls;
};

// A calendar in the key window, in an en_US locale, with a recording host
// and a picker data source that shades nothing until told to.
class CalendarUiTest : public UiTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the controller on the day and puts its view at the window's top.
    void showCalendar(Date day);
    // The window point at the middle of the grid tile in that row and column.
    static Point tilePoint(int row, int column);
    // The shown tile of the day; fails the test if there is none.
    std::shared_ptr<CalTileView> tileOf(int year, int month, int day) const;
    CalGridView& grid() const { return *controller_->view()->gridView(); }
    void finishSlide() { advance(CalGridView::slideDuration + 0.1); }

    std::shared_ptr<RecordingHost> host_;
    std::shared_ptr<CenterCalendarDataSource> dataSource_;
    std::shared_ptr<CalViewController> controller_;
};

} // namespace florelle::testing
