#include "SettingsGlobalController.h"

namespace florelle {

void SettingsGlobalController::setNotification(int kind, int days) {
    scheduler_.setNotification(kind, days);
}

} // namespace florelle
