// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalSheetController.h"

namespace florelle {

ModalSheetController::ModalSheetController(std::shared_ptr<ViewController> content)
    : content_(std::move(content)) {}

void ModalSheetController::loadView() {
    auto sheet = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight + statusBarHeight));
    sheet->setBackgroundColor(Color::black());
    auto& shown = content_->view();
    shown->setFrame(Rect(0, statusBarHeight, screenWidth, screenHeight));
    sheet->addSubview(shown);
    setView(sheet);
}

} // namespace florelle
