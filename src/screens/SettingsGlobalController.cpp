// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsGlobalController.h"

#include "DiaryActions.h"
#include "DiaryCopyFlow.h"
#include "DiaryProblemAlert.h"
#include "FileChooser.h"
#include "ImportPreviewController.h"
#include "LenghtsController.h"
#include "ReportMail.h"
#include "SettingsGroupsController.h"
#include "SettingsLenPickerController.h"
#include "SkinController.h"
#include "UserGuideController.h"
#include "cycle/DailyLogCatalogue.h"
#include "foundation/Clock.h"
#include "foundation/Log.h"
#include "foundation/Paths.h"
#include "foundation/Strings.h"
#include "import/ImportReader.h"
#include "platform/DesktopPortal.h"
#include "reports/ReportExport.h"
#include "storage/DatabaseController.h"
#include "ui/AlertView.h"
#include "ui/NavigationController.h"

namespace florelle {

namespace {

// Long enough for the veil to be drawn before the reports hold the loop.
constexpr double veilLead = 0.1;

} // namespace

SettingsGlobalController::SettingsGlobalController(LocalNotificationCenter& notifications,
                                                   std::weak_ptr<MainPageHost> host)
    : scheduler_(notifications), host_(std::move(host)),
      userGuideController_(std::make_shared<UserGuideController>()) {}

SettingsGlobalController::~SettingsGlobalController() = default;

void SettingsGlobalController::viewDidLoad() {
    auto self = std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
    settingsGroups_ = std::make_shared<SettingsGroupsController>(self);
    lenghts_ = std::make_shared<LenghtsController>(self);
    picker_ = std::make_shared<SettingsLenPickerController>(lenghts_, self);
    std::weak_ptr<SettingsGlobalController> host = self;
    skin_ = std::make_shared<SkinController>([host](int skin) {
        if (auto settings = host.lock()) {
            settings->setNewSkin(skin);
        }
    });
    navController_ = std::make_shared<NavigationController>(settingsGroups_);
    navController_->setNavigationBarHidden(true, false);
    // The stack fills what the raised panel shows, so a screen's first and
    // last lines can be read.
    navController_->view()->setFrame(
        Rect(0, 0, ViewController::screenWidth, MainPage::visibleHeight));
    view()->addSubview(navController_->view());
    // Told only from here on: showing the first screen is no way back.
    navController_->delegate = self;
}

void SettingsGlobalController::setNotification(int kind, int days) {
    // A failure is told by the diary's alert; the pending reminders stay.
    static_cast<void>(scheduler_.setNotification(kind, days));
}

void SettingsGlobalController::pushLenghts() {
    pushScreen(lenghts_);
}

void SettingsGlobalController::pushSkinSelector() {
    pushScreen(skin_);
}

void SettingsGlobalController::pushUserGuide() {
    pushScreen(userGuideController_);
}

void SettingsGlobalController::pushPasscodeController(std::shared_ptr<ViewController> screen) {
    pushScreen(std::move(screen));
}

void SettingsGlobalController::pushPicker(int rows, const std::string& label, int mode,
                                          int category) {
    view();
    if (navController_->isTransitioning()) {
        return;
    }
    picker_->setUp(mode, label, rows, category);
    pushScreen(picker_);
}

void SettingsGlobalController::pushScreen(std::shared_ptr<ViewController> screen) {
    view();
    if (navController_->isTransitioning()) {
        return;
    }
    navController_->pushViewController(std::move(screen), true);
    if (auto main = host_.lock()) {
        main->backBtnHidden(false);
        main->setLock(true);
    }
}

void SettingsGlobalController::popController() {
    view();
    navController_->popViewController(true);
}

void SettingsGlobalController::willShowViewController(NavigationController&,
                                                      ViewController& controller, bool) {
    if (&controller == settingsGroups_.get()) {
        settingsGroups_->deselectSelectedCell();
        // Whatever took the stack back to its first screen (the back button,
        // or a screen leaving by itself) ends the way back.
        if (auto main = host_.lock()) {
            main->setLock(false);
            main->backBtnHidden(true);
        }
    } else if (&controller == lenghts_.get()) {
        lenghts_->deselectSelectedCell();
    } else if (&controller == skin_.get()) {
        skin_->deselectSelectedCell();
    }
}

void SettingsGlobalController::didSelectNumber(int value, int mode) {
    auto main = host_.lock();
    if (mode == SettingsLenPickerController::yesNoMode) {
        if (!DatabaseController::savePregnant(value, Clock::current()->now())) {
            return;
        }
        if (main) {
            main->usePregnancyMode(value != 0);
        }
    } else if (mode == SettingsLenPickerController::onOffMode) {
        if (!DatabaseController::saveSi(value)) {
            return;
        }
        if (main) {
            main->setSi(value);
        }
    }
}

void SettingsGlobalController::saveCycleLength(int days) {
    if (DatabaseController::saveCycleLength(days)) {
        recalculate();
    }
}

void SettingsGlobalController::savePeriodLength(int days) {
    if (DatabaseController::savePeriodLength(days)) {
        recalculate();
    }
}

void SettingsGlobalController::recalculate() {
    // The reminders hang on the predicted starts: waiting for the next
    // activation would leave them on the old dates meanwhile.
    DiaryActions::changed();
}

void SettingsGlobalController::saveOvulationDay(int day) {
    if (!DatabaseController::saveOvulationDay(day)) {
        return;
    }
    // While pregnant the countdown stays; otherwise the status is redone.
    if (auto main = host_.lock()) {
        main->usePregnancyMode(DatabaseController::getPregnant().value_or(0) != 0);
    }
}

void SettingsGlobalController::makeFiles() {
    auto main = host_.lock();
    if (!main || filesTmr_.isValid()) {
        return;
    }
    main->changeTranspView(0.8, true);
    std::weak_ptr<SettingsGlobalController> self =
        std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
    filesTmr_ = Timer(veilLead, false, [self] {
        if (auto settings = self.lock()) {
            settings->writeFiles();
        }
    });
}

void SettingsGlobalController::sync() {
    if (auto main = host_.lock()) {
        main->sync();
    }
    deselectSelectedCell();
}

void SettingsGlobalController::writeFiles() {
    auto main = host_.lock();
    if (!main) {
        return;
    }
    Calendar calendar = Calendar::current();
    auto window =
        ReportWindow::lastMonths(ReportWindow::defaultMonths, Clock::current()->now(), calendar);
    // Beside the diary's own folder, where the next export replaces them.
    auto written =
        ReportExport::write(Paths::documentsDirectory(),
                            {oldOS_ ? ReportFormat::csv : ReportFormat::pdf}, window, calendar);
    if (written.ok()) {
        if (!reportMail_) {
            std::weak_ptr<SettingsGlobalController> self =
                std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
            reportMail_ = std::make_shared<ReportMail>(host_, [self] {
                if (auto settings = self.lock()) {
                    settings->deselectSelectedCell();
                }
            });
        }
        reportMail_->makeMail(written.files);
        return;
    }
    main->changeTranspView(0, false);
    std::string message;
    if (written.readFailure) {
        message = DiaryProblemAlert::messageFor(*written.readFailure);
    } else {
        Log::write("Reports: cannot write " + written.unwritten.string() + ": " +
                   written.writeFailure.message());
        message = Strings::localizedFormat("Reports not written Key", written.unwritten.string(),
                                           written.writeFailure.message());
    }
    showMessage(Strings::localized("Send to Email Key"), message);
}

void SettingsGlobalController::showMessage(const std::string& title, const std::string& message) {
    auto alert =
        std::make_shared<AlertView>(title, message, std::weak_ptr<AlertViewDelegate>(),
                                    Strings::localized("OK Key"), std::vector<std::string>{});
    alert->show();
    deselectSelectedCell();
}

void SettingsGlobalController::importFromApp() {
    view();
    std::weak_ptr<SettingsGlobalController> self =
        std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
    auto chosen = [self](std::optional<std::filesystem::path> file) {
        auto settings = self.lock();
        if (!settings) {
            return;
        }
        file ? settings->previewImport(*file) : settings->deselectSelectedCell();
    };
    if (!importChooser_) {
        importChooser_ = std::make_unique<FileChooser>(DesktopPortal::connect());
    }
    importChooser_->choose(*this, FileChooser::Picks::file,
                           Strings::localized("Choose a file to import Key"),
                           Strings::localized("Import Key"), chosen);
}

void SettingsGlobalController::previewImport(const std::filesystem::path& file) {
    std::string title = Strings::localized("Import from another app Key");
    std::string name = file.filename().string();
    auto catalogue = DailyLogCatalogue::read();
    if (!catalogue) {
        showMessage(title, DiaryProblemAlert::messageFor(catalogue.error()));
        return;
    }
    auto reading = ImportReader::readFile(file, std::nullopt, *catalogue);
    if (!reading.plan) {
        showMessage(title, Strings::localizedFormat("Cannot import Key", name, reading.problem));
        return;
    }
    Date now = Clock::current()->now();
    auto preview = ImportMerge::preview(*reading.plan, Calendar::current(), now);
    if (preview.error) {
        showMessage(title, DiaryProblemAlert::messageFor(*preview.error));
        return;
    }
    std::weak_ptr<SettingsGlobalController> self =
        std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
    auto store = [self, plan = *reading.plan, title] {
        auto settings = self.lock();
        if (!settings) {
            return;
        }
        auto outcome = DiaryActions::importHistory(plan, Clock::current()->now());
        settings->popController();
        // A failure to store is told by the diary's own alert.
        if (!outcome.error) {
            settings->showMessage(title, Strings::localizedFormat(
                                             "Imported Key", static_cast<int>(outcome.added.size()),
                                             outcome.daysChanged));
        }
    };
    pushScreen(std::make_shared<ImportPreviewController>(name, *reading.plan, preview, store));
}

void SettingsGlobalController::backupAndRestore() {
    if (!copies_) {
        std::weak_ptr<SettingsGlobalController> self =
            std::static_pointer_cast<SettingsGlobalController>(shared_from_this());
        copies_ = std::make_shared<DiaryCopyFlow>(self, [self] {
            if (auto settings = self.lock()) {
                settings->deselectSelectedCell();
            }
        });
    }
    copies_->start();
}

void SettingsGlobalController::setNewSkin(int skin) {
    if (auto main = host_.lock()) {
        main->setNewSkin(skin);
    }
}

void SettingsGlobalController::reloadTables() {
    if (!isViewLoaded()) {
        return;
    }
    settingsGroups_->reloadTable();
    lenghts_->reloadTable();
    skin_->reloadTable();
}

void SettingsGlobalController::deselectSelectedCell() {
    if (isViewLoaded()) {
        settingsGroups_->deselectSelectedCell();
    }
}

} // namespace florelle
