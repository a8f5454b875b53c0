// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryCopyFlow.h"

#include "DiaryActions.h"
#include "FolderPickerController.h"
#include "MainPageHost.h"
#include "ModalSheetController.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/IsoDay.h"
#include "foundation/Strings.h"
#include "platform/DesktopPortal.h"
#include "storage/DiaryCopies.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"

namespace florelle {

namespace {

constexpr const char* copyEnding = ".db";

// "Florelle-2026-03-01.db" for the local day of now.
std::string copyName(Date now) {
    return "Florelle-" + IsoDay::format(now, Calendar::current()) + copyEnding;
}

} // namespace

DiaryCopyFlow::DiaryCopyFlow(std::weak_ptr<MainPageHost> host, std::function<void()> finished)
    : host_(std::move(host)), finished_(std::move(finished)) {}

DiaryCopyFlow::~DiaryCopyFlow() = default;

void DiaryCopyFlow::start() {
    ask(Step::choice, Strings::localized("Keep a copy of your diary Key"),
        {Strings::localized("Save a copy… Key"), Strings::localized("Restore from a copy… Key")});
}

void DiaryCopyFlow::saveCopy() {
    std::weak_ptr<DiaryCopyFlow> self = shared_from_this();
    choose(true, [self](const std::filesystem::path& folder) {
        if (auto flow = self.lock()) {
            flow->saveInto(folder);
        }
    });
}

void DiaryCopyFlow::restoreCopy() {
    std::weak_ptr<DiaryCopyFlow> self = shared_from_this();
    choose(false, [self](const std::filesystem::path& copy) {
        if (auto flow = self.lock()) {
            flow->confirmRestore(copy);
        }
    });
}

void DiaryCopyFlow::choose(bool folder, std::function<void(std::filesystem::path)> chosen) {
    auto host = host_;
    auto done = [host, chosen, finished = finished_](std::optional<std::filesystem::path> path) {
        if (path) {
            chosen(*path);
        } else if (finished) {
            finished();
        }
    };
    if (!files_) {
        files_.emplace(DesktopPortal::connect());
    }
    bool asked = folder ? files_->chooseFolder(Strings::localized("Choose a folder Key"),
                                               Strings::localized("Save here Key"), done)
                        : files_->chooseFile(Strings::localized("Choose a copy Key"),
                                             Strings::localized("Restore Key"), done);
    if (asked) {
        return;
    }
    // Our own picker where the desktop has none, over the main screen.
    auto main = host_.lock();
    if (!main) {
        return;
    }
    auto picked = [host, done](std::optional<std::filesystem::path> path) {
        if (auto shown = host.lock()) {
            shown->dismissModalController();
        }
        done(std::move(path));
    };
    auto picker = std::make_shared<FolderPickerController>(
        DesktopFiles::documentsFolder(), picked,
        folder ? FolderPickerController::Picks::folder : FolderPickerController::Picks::file);
    main->presentModalController(
        std::make_shared<ModalSheetController>(std::make_shared<NavigationController>(picker)));
}

void DiaryCopyFlow::saveInto(const std::filesystem::path& folder) {
    auto target = folder / copyName(Clock::current()->now());
    if (auto failure = DiaryCopies::backup(target)) {
        ask(Step::outcome, Strings::localizedFormat("Copy not saved Key", *failure), {});
        return;
    }
    ask(Step::outcome, Strings::localizedFormat("Copy saved Key", target.string()), {});
}

void DiaryCopyFlow::confirmRestore(const std::filesystem::path& copy) {
    copy_ = copy;
    ask(Step::confirmation, Strings::localizedFormat("Restore the copy? Key", copy.string()),
        {Strings::localized("Restore Key")});
}

void DiaryCopyFlow::restoreFrom(const std::filesystem::path& copy) {
    auto restored = DiaryCopies::restore(copy, Calendar::current(), Clock::current()->now());
    if (!restored.done()) {
        ask(Step::outcome,
            Strings::localizedFormat("Diary not restored Key", copy.string(), restored.detail), {});
        return;
    }
    // The reminders count from the restored periods, and every page shows them.
    DiaryActions::changed();
    ask(Step::outcome, Strings::localizedFormat("Diary restored Key", copy.string()), {});
}

void DiaryCopyFlow::ask(Step step, const std::string& message,
                        const std::vector<std::string>& others) {
    step_ = step;
    alert_ = std::make_shared<AlertView>(
        Strings::localized("Backup and restore Key"), message, shared_from_this(),
        Strings::localized(step == Step::outcome ? "OK Key" : "Cancel Key"), others);
    alert_->show();
}

void DiaryCopyFlow::clickedButtonAtIndex(AlertView& alert, int index) {
    if (&alert != alert_.get()) {
        return;
    }
    alert_.reset();
    bool cancelled = index == alert.cancelButtonIndex();
    if (step_ == Step::choice && !cancelled) {
        index == 1 ? saveCopy() : restoreCopy();
    } else if (step_ == Step::confirmation && !cancelled) {
        restoreFrom(copy_);
    } else {
        finish();
    }
}

void DiaryCopyFlow::finish() {
    if (finished_) {
        finished_();
    }
}

} // namespace florelle
