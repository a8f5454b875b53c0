// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryProblemAlert.h"

#include "foundation/Strings.h"
#include "storage/SQLiteAccess.h"
#include "ui/AlertView.h"

namespace florelle {

DiaryProblemAlert::DiaryProblemAlert()
    : observation_(NotificationCenter::defaultCenter().addObserver(
          SQLiteAccess::writeFailedNotification, [this](const Notification&) {
              if (auto failure = SQLiteAccess::lastWriteFailure()) {
                  show(*failure);
              }
          })) {}

void DiaryProblemAlert::show(const StoreError& error) {
    if (shown_ && shown_->isVisible()) {
        return;
    }
    shown_ = std::make_shared<AlertView>(Strings::localized("Diary problem Key"), messageFor(error),
                                         std::weak_ptr<AlertViewDelegate>(),
                                         Strings::localized("OK Key"), std::vector<std::string>{});
    shown_->show();
}

std::string DiaryProblemAlert::messageFor(const StoreError& error) {
    const char* key = "Diary failed Key";
    switch (error.kind) {
    case StoreError::Kind::unavailable:
        key = "Diary unavailable Key";
        break;
    case StoreError::Kind::damaged:
        key = "Diary damaged Key";
        break;
    case StoreError::Kind::empty:
        key = "Diary empty Key";
        break;
    case StoreError::Kind::readOnly:
        key = "Diary read-only Key";
        break;
    case StoreError::Kind::busy:
        key = "Diary busy Key";
        break;
    case StoreError::Kind::full:
        key = "Diary full Key";
        break;
    case StoreError::Kind::failed:
        break;
    }
    return Strings::localizedFormat(key, error.file);
}

} // namespace florelle
