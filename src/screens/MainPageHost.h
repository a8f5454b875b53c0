// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/Date.h"

#include <memory>

namespace florelle {

class ViewController;
enum class MainPageKind;

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

    // The veil over the whole screen, with the busy indicator while the
    // reports are written; a screen presented over everything (the mail
    // composer) and taken down again.
    virtual void changeTranspView(double alpha, bool withIndicator) = 0;
    virtual void presentModalController(std::shared_ptr<ViewController> controller) = 0;
    virtual void dismissModalController() = 0;

    // The calendar page: the daily log opened on a picked day, and the page
    // shown again on the day a month move selected.
    virtual void scrollToNotesWithDate(Date date) = 0;
    virtual void reloadInfoForDate(Date date) = 0;

    // Whether the strip shows the page: a page on show follows the diary's
    // changes at once, a hidden one reads them when it is opened.
    virtual bool isPageOnShow(MainPageKind kind) const = 0;

    // The calendar sync's account form slides in over the screen.
    virtual void sync() = 0;

    // The first-use hints.
    virtual void switchFirtsUseLbls(int direction) = 0;
    virtual void activateFirstAnimTmr() = 0;
};

} // namespace florelle
