// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarUiTest.h"

#include "calendar/CalDate.h"
#include "foundation/Locale.h"
#include "support/LocalDays.h"

namespace florelle::testing {

std::vector<Date> RecordingHost::picks() const {
    std::vector<Date> result;
    for (const auto& call : calls) {
        if (call.kind == HostCall::Kind::didSelectDate) {
            result.push_back(call.date);
        }
    }
    return result;
}

std::vector<int> RecordingHost::heights() const {
    std::vector<int> result;
    for (const auto& call : calls) {
        if (call.kind == HostCall::Kind::changeCalSize) {
            result.push_back(call.height);
        }
    }
    return result;
}

void CalendarUiTest::SetUp() {
    UiTest::SetUp();
    Locale::setCurrent("en_US");
    CalDate::cacheTodaysDate();
    host_ = std::make_shared<RecordingHost>();
    dataSource_ = std::make_shared<CenterCalendarDataSource>();
}

void CalendarUiTest::TearDown() {
    // The animation clock is shared by every test: a slide left running
    // would keep its tick due at a time the next test's clock never reaches.
    finishSlide();
    controller_.reset();
    Locale::setCurrent(std::nullopt);
    UiTest::TearDown();
}

void CalendarUiTest::showCalendar(Date day) {
    controller_ = CalViewController::create(day);
    controller_->setDelegate(host_);
    controller_->setDataSource(dataSource_);
    window_->addSubview(controller_->view());
}

Point CalendarUiTest::tilePoint(int row, int column) {
    return Point{column * CalTileView::width + 23,
                 CalHeaderView::height + row * CalTileView::height + 22};
}

std::shared_ptr<CalTileView> CalendarUiTest::tileOf(int year, int month, int day) const {
    auto tile = grid().frontMonthView()->tileForDate(CalDate(
        static_cast<unsigned>(day), static_cast<unsigned>(month), static_cast<unsigned>(year)));
    EXPECT_TRUE(tile) << "no tile for " << year << "-" << month << "-" << day;
    return tile;
}

} // namespace florelle::testing
