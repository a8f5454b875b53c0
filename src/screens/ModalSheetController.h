// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ViewController.h"

#include <memory>

namespace florelle {

// Holds a screen presented modally over the whole window so that it stands
// below the status bar, as the window's own screens do.
class ModalSheetController : public ViewController {
public:
    static constexpr double statusBarHeight = 20;

    explicit ModalSheetController(std::shared_ptr<ViewController> content);

    ViewController& content() const { return *content_; }

protected:
    void loadView() override;

private:
    std::shared_ptr<ViewController> content_;
};

} // namespace florelle
