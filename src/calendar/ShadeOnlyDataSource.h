#pragma once

#include "CalDataSource.h"

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

private:
    Date shadeDate_;
    Date shadeFutureDate_;
};

} // namespace florelle
