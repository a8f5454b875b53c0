// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// What the pages of the first-run setup tell the setup that holds them.
// Each stores the answer and brings the main screen up to date.
class FirstSetupDelegate {
public:
    virtual ~FirstSetupDelegate() = default;
    virtual void saveCycleLength(int days) = 0;
    virtual void savePeriodLength(int days) = 0;
    virtual void saveOvulationDay(int day) = 0;
    virtual void setNewSkin(int skin) = 0;
};

} // namespace florelle
