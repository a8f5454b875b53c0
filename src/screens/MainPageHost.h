#pragma once

#include "foundation/Date.h"

namespace florelle {

// What the pages on the main screen's strip ask of the screen that holds
// them; the pages never see the main screen itself.
class MainPageHost {
public:
    virtual ~MainPageHost() = default;

    // The past-period calendar over the screen, and the period it deletes.
    virtual void bringSummaryCalendarUp(Date startDate, Date endDate, int mode, bool withDelete,
                                        bool isNew) = 0;
    virtual void setCalSelectedDate(Date date) = 0;
    virtual void deleteDate() = 0;

    // The panel's back button and lock while a settings screen is pushed.
    virtual void backBtnHidden(bool hidden) = 0;
    virtual void setLock(bool lock) = 0;

    // Choices made on a page that the whole screen follows.
    virtual void usePregnancyMode(bool on) = 0;
    virtual void setSi(int units) = 0;
    virtual void setNewSkin(int skin) = 0;
    virtual int getNewSkin() const = 0;
    virtual void reloadCalendarDataForDate(Date date) = 0;

    // The first-use hints.
    virtual void switchFirtsUseLbls(int direction) = 0;
    virtual void activateFirstAnimTmr() = 0;
};

} // namespace florelle
