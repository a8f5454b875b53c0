// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/FlorelleAppDelegate.h"

#include <filesystem>
#include <memory>

namespace florelle {

// The past period calendar until the period log holds it
// (`florelle --past-period-demo`): the diary on a scratch folder (never the
// user's), seeded with two periods, and a row of buttons at the top that
// open the calendar as the log will: add a period, edit or delete the
// latest, enter a start or the open period's end.
class PastPeriodDemo : public FlorelleAppDelegate {
public:
    // Points the documents and settings folders at `scratch` before the
    // diary's reminders are looked up there.
    static std::shared_ptr<PastPeriodDemo> create(const std::filesystem::path& scratch);

    void updateFinshed() override;

private:
    PastPeriodDemo() = default;
};

} // namespace florelle
