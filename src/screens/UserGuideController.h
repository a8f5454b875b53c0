// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ViewController.h"

#include <memory>

namespace florelle {

class TextView;

// The user guide: a scrolling, read-only text in the user's language that
// explains the flower, logging a period, the calendar's marks, reminders,
// the passcode and what stays on the device. Pushed from the settings page.
class UserGuideController : public ViewController {
public:
    static constexpr double fontSize = 16;

    void viewDidLoad() override;

    TextView& textView() const { return *textView_; }

private:
    std::shared_ptr<TextView> textView_;
};

} // namespace florelle
