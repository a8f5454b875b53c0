#include "FirstSkinController.h"

#include "FirstGlobalController.h"
#include "storage/DatabaseController.h"

namespace florelle {

FirstSkinController::FirstSkinController(std::weak_ptr<FirstGlobalController> firstGlobalController)
    : SkinController([firstGlobalController](int skin) {
          if (auto global = firstGlobalController.lock()) {
              global->setNewSkin(skin);
          }
      }) {}

void FirstSkinController::loadView() {
    SkinController::loadView();
    checkRow(DatabaseController::getSkin().value_or(0));
}

} // namespace florelle
