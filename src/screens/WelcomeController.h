// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ViewController.h"

#include <memory>

namespace florelle {

class TextView;

// The first page of the first-run setup: a read-only greeting that says
// what the diary does and what the next pages ask.
class WelcomeController : public ViewController {
public:
    static constexpr double fontSize = 16;

    void viewDidLoad() override;

    TextView& txtView() const { return *txtView_; }

private:
    std::shared_ptr<TextView> txtView_;
};

} // namespace florelle
