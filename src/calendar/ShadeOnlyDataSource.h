// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDataSource.h"
#include "CalDate.h"

namespace florelle {

// A picker's data source: no marks, only the days that may not be picked.
// Both limits start at the epoch (nothing shaded, no upper limit).
class ShadeOnlyDataSource : public CalDataSource {
public:
    std::vector<Date> periodDatesFrom(Date, Date) override { return {}; }
    std::vector<Date> fertileDatesFrom(Date, Date) override { return {}; }
    std::vector<Date> ovulationDatesFrom(Date, Date) override { return {}; }
    std::vector<Date> intimateDatesFrom(Date, Date) override { return {}; }
    std::vector<Date> markedDatesFrom(Date, Date) override { return {}; }

    Date shadeDate() const override { return shadeDate_; }
    Date shadeFutureDate() const override { return shadeFutureDate_; }
    void setShadeDate(Date date) { shadeDate_ = date; }
    void setShadeFutureDate(Date date) { shadeFutureDate_ = date; }
    // Whether the grid shades the date's local day.
    bool shades(Date date) const {
        CalDate day = CalDate::dateFromDate(date);
        return day < CalDate::dateFromDate(shadeDate_) ||
               (shadeFutureDate_ != Date() && day > CalDate::dateFromDate(shadeFutureDate_));
    }

private:
    Date shadeDate_;
    Date shadeFutureDate_;
};

} // namespace florelle
