// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar/CalDateFormatter.h"
#include "cycle/PeriodSummary.h"
#include "ui/TableView.h"

#include <memory>
#include <string>

namespace florelle {

class View;

// The rows of the summary's table: "Add past periods" on top of the period
// log, and date rows of three columns under a header that names them.
class SummaryRows {
public:
    static constexpr double headerHeight = 20;
    static constexpr double rowHeight = 35;

    SummaryRows();

    std::shared_ptr<TableViewCell> addRow(TableView& table) const;
    // A date row; `editable` rows leave room for the editing control, the
    // others indent so that the columns stay under the header's titles.
    // Ovulation rows have no second date.
    std::shared_ptr<TableViewCell> dateRow(TableView& table, const PeriodSummary::Row& row,
                                           bool editable, bool ovulation) const;
    static std::shared_ptr<View> header(bool ovulation);
    // A day as the rows write it.
    std::string dateText(Date date) const { return dateFormatter_.stringFromDate(date); }

private:
    CalDateFormatter dateFormatter_;
};

} // namespace florelle
