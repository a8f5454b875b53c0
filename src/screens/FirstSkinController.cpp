// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstSkinController.h"

#include "FirstSetupDelegate.h"
#include "storage/DatabaseController.h"

namespace florelle {

FirstSkinController::FirstSkinController(std::weak_ptr<FirstSetupDelegate> setup)
    : SkinController([setup](int skin) {
          if (auto host = setup.lock()) {
              host->setNewSkin(skin);
          }
      }) {}

void FirstSkinController::loadView() {
    SkinController::loadView();
    checkRow(DatabaseController::getSkin().value_or(0));
}

} // namespace florelle
