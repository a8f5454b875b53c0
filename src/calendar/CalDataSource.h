// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

#include <vector>

namespace florelle {

class CalDataSource;

// Hears that a data source has the marks of a span ready.
class CalDataSourceDelegate {
public:
    virtual ~CalDataSourceDelegate() = default;
    virtual void loadedDataSource(CalDataSource& dataSource) = 0;
};

// What a month calendar marks and what it lets be picked. Every list holds
// instants that stand for their local calendar day.
class CalDataSource {
public:
    virtual ~CalDataSource() = default;

    // Prepares the marks of the span, then tells the delegate at once.
    void presentingDatesFrom(Date from, Date to, CalDataSourceDelegate& delegate);

    virtual std::vector<Date> periodDatesFrom(Date from, Date to) = 0;
    virtual std::vector<Date> fertileDatesFrom(Date from, Date to) = 0;
    virtual std::vector<Date> ovulationDatesFrom(Date from, Date to) = 0;
    virtual std::vector<Date> intimateDatesFrom(Date from, Date to) = 0;
    // Days that hold logged data.
    virtual std::vector<Date> markedDatesFrom(Date from, Date to) = 0;
    // Days before this one cannot be picked; the epoch shades nothing.
    virtual Date shadeDate() const = 0;
    // Days after this one cannot be picked; the epoch means no limit.
    virtual Date shadeFutureDate() const = 0;
};

} // namespace florelle
