// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiaryCopyFlow.h"

#include "DiaryActions.h"
#include "foundation/Calendar.h"
#include "foundation/Clock.h"
#include "foundation/IsoDay.h"
#include "foundation/Strings.h"
#include "platform/DesktopPortal.h"
#include "storage/DiaryCopies.h"
#include "ui/AlertView.h"

namespace florelle {

namespace {

constexpr const char* copyEnding = ".db";

// "Florelle-2026-03-01.db" for the local day of now.
std::string copyName(Date now) {
    return "Florelle-" + IsoDay::format(now, Calendar::current()) + copyEnding;
}

} // namespace

DiaryCopyFlow::DiaryCopyFlow(std::weak_ptr<ViewController> presenter,
                             std::function<void()> finished)
    : presenter_(std::move(presenter)), finished_(std::move(finished)) {}

DiaryCopyFlow::~DiaryCopyFlow() = default;

void DiaryCopyFlow::start() {
    ask(Step::choice, Strings::localized("Keep a copy of your diary Key"),
        {Strings::localized("Save a copy… Key"), Strings::localized("Restore from a copy… Key")});
}

void DiaryCopyFlow::saveCopy() {
    std::weak_ptr<DiaryCopyFlow> self = shared_from_this();
    choose(FileChooser::Picks::folder, [self](const std::filesystem::path& folder) {
        if (auto flow = self.lock()) {
            flow->saveInto(folder);
        }
    });
}

void DiaryCopyFlow::restoreCopy() {
    std::weak_ptr<DiaryCopyFlow> self = shared_from_this();
    choose(FileChooser::Picks::file, [self](const std::filesystem::path& copy) {
        if (auto flow = self.lock()) {
            flow->confirmRestore(copy);
        }
    });
}

void DiaryCopyFlow::choose(FileChooser::Picks picks,
                           std::function<void(std::filesystem::path)> chosen) {
    auto presenter = presenter_.lock();
    if (!presenter) {
        return;
    }
    auto done = [chosen, finished = finished_](std::optional<std::filesystem::path> path) {
        if (path) {
            chosen(*path);
        } else if (finished) {
            finished();
        }
    };
    if (!chooser_) {
        chooser_.emplace(DesktopPortal::connect());
    }
    bool folder = picks == FileChooser::Picks::folder;
    chooser_->choose(*presenter, picks,
                     Strings::localized(folder ? "Choose a folder Key" : "Choose a copy Key"),
                     Strings::localized(folder ? "Save here Key" : "Restore Key"), done);
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
