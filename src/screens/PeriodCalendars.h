// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CenterCalendarDelegate.h"
#include "SummaryCalendarDelegate.h"
#include "foundation/Date.h"

#include <memory>

namespace florelle {

class CenterCalendarController;
class SummaryCalendarController;
class View;

// What the period calendars ask of the screen they slide over.
class PeriodCalendarsHost {
public:
    virtual ~PeriodCalendarsHost() = default;
    // The centre calendar came up over the screen, or went down again.
    virtual void centerCalendarRaised() = 0;
    virtual void centerCalendarLowered() = 0;
    // A past period was stored, deleted or left as it was.
    virtual void pastPeriodEditEnded() = 0;
    virtual void resetAnim() = 0;
};

// The two calendars that enter periods: the centre calendar picks today's
// start or end, the past-period calendar adds, edits and deletes a period of
// the summary. Both wait below the screen and slide up when called; each
// stores through the diary's actions, and stays up when the entry is refused.
class PeriodCalendars : public CenterCalendarDelegate, public SummaryCalendarDelegate {
public:
    static constexpr double slideSeconds = 0.4;

    // The calendars' views are added to `screen`.
    PeriodCalendars(View& screen, PeriodCalendarsHost& host);
    ~PeriodCalendars() override;

    // The centre calendar on today for a start, or on the open period's
    // start day for its end.
    void centerPressed();
    void callCenterCalendarWithOpt(bool startMode, Date selectedDate, bool disableDelete);
    void bringCenterCalendarUp();
    void bringCenterCalendarDown(Date date, bool save) override;
    void changeCalSize(int height) override;
    void resetAnim() override { host_.resetAnim(); }

    void bringSummaryCalendarUp(int skin, Date startDate, Date endDate, int mode, bool withDelete,
                                bool isNew);
    void sendSummaryCalendarDown(Date startDate, Date endDate, bool isNew, Date oldDate,
                                 int mode) override;
    void summaryCalendarCancelClicked() override;
    void setCalSelectedDate(Date date) { calSelectedDate_ = date; }
    void deleteDate();

    // Either calendar is up, so that the panel ignores drags.
    bool isUp() const;
    bool centerCalendarUp() const { return centerCalendarUp_; }
    void setCenterCalendarUp(bool up) { centerCalendarUp_ = up; }
    bool summaryCalendarUp() const;
    double calHeig() const { return calHeig_; }
    Date calSelectedDate() const { return calSelectedDate_; }

    CenterCalendarController& centerCalendar() const { return *centerCalendar_; }
    SummaryCalendarController& summaryCalendar() const { return *summaryCalendar_; }
    View& centerCalendarView() const { return *centerCalendarView_; }
    View& summaryCalendarView() const { return *summaryCalendarView_; }

private:
    void lowerSummaryCalendar();

    View& screen_;
    PeriodCalendarsHost& host_;
    std::shared_ptr<View> summaryCalendarView_;
    std::shared_ptr<View> centerCalendarView_;
    std::shared_ptr<CenterCalendarController> centerCalendar_;
    std::shared_ptr<SummaryCalendarController> summaryCalendar_;
    bool centerCalendarUp_ = false;
    // The kind of day the centre calendar was opened to pick.
    bool pickingStart_ = true;
    Date calSelectedDate_;
    double calHeig_ = 700;
};

} // namespace florelle
