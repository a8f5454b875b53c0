// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalDataSource.h"

namespace florelle {

// The calendar screen's marks: logged and predicted period, fertile and
// ovulation days, intimate days and days with data, all read from the
// database; nothing is shaded.
class CalendarDataSource : public CalDataSource {
public:
    std::vector<Date> periodDatesFrom(Date from, Date to) override;
    std::vector<Date> fertileDatesFrom(Date from, Date to) override;
    std::vector<Date> ovulationDatesFrom(Date from, Date to) override;
    std::vector<Date> intimateDatesFrom(Date from, Date to) override;
    std::vector<Date> markedDatesFrom(Date from, Date to) override;
    Date shadeDate() const override { return Date(); }
    Date shadeFutureDate() const override { return Date(); }
};

} // namespace florelle
