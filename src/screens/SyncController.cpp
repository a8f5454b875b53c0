// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyncController.h"

#include "foundation/Log.h"
#include "foundation/Strings.h"
#include "platform/PasswordVault.h"
#include "storage/DatabaseController.h"
#include "sync/SyncAccount.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TextField.h"

namespace florelle {

namespace {

constexpr double barHeight = 37;
constexpr double rowHeight = 44;
constexpr double fadeSeconds = 0.5;
const Color formColor(0.901, 0.917, 0.964, 0.9);
const Color rowColor(0.807, 0.517, 0.709);

std::shared_ptr<Button> makeButton(const Rect& frame, const char* titleKey,
                                   std::function<void()> action) {
    auto button = std::make_shared<Button>(frame);
    button->setTitle(Strings::localized(titleKey));
    button->setTitleColor(Color(0.55, 0.2, 0.45));
    button->setTitleFont(Font::boldSystemFont(15));
    button->onTouchUpInside = std::move(action);
    return button;
}

} // namespace

SyncController::SyncController(std::weak_ptr<SyncFormHost> host,
                               std::shared_ptr<PasswordVault> vault)
    : host_(std::move(host)), vault_(std::move(vault)) {}

SyncController::~SyncController() = default;

std::weak_ptr<SyncController> SyncController::weakSelf() {
    return std::static_pointer_cast<SyncController>(shared_from_this());
}

void SyncController::loadView() {
    auto form = std::make_shared<View>(Rect(0, 0, screenWidth, formHeight));
    form->setBackgroundColor(formColor);
    std::weak_ptr<SyncController> self = weakSelf();
    cancelButton_ = makeButton(Rect(5, 3, 80, 31), "Cancel Key", [self] {
        if (auto form = self.lock()) {
            form->cancelClicked();
        }
    });
    syncButton_ = makeButton(Rect(235, 3, 80, 31), "Sync Key", [self] {
        if (auto form = self.lock()) {
            form->syncClicked();
        }
    });
    form->addSubview(cancelButton_);
    form->addSubview(syncButton_);
    auto title = Label::caption(Rect(80, 3, 160, 31), Font::boldSystemFont(14), Color::black(),
                                TextAlignment::Center);
    title->setText(Strings::localized("Choose your account Key"));
    form->addSubview(title);

    list_ = std::make_shared<View>(Rect(0, barHeight, screenWidth, 3 * rowHeight));
    const char* captions[] = {"Calendar server Key", "Username Key", "Password Key"};
    const char* placeholders[] = {"https://calendar.example.org", "name@example.org", ""};
    for (int row = 0; row < 3; ++row) {
        auto cell = std::make_shared<View>(Rect(0, row * rowHeight, screenWidth, rowHeight - 1));
        cell->setBackgroundColor(rowColor);
        auto caption =
            Label::caption(Rect(10, 5, 90, 30), Font::boldSystemFont(14), Color::white());
        caption->setText(Strings::localized(captions[row]));
        cell->addSubview(caption);
        auto field = std::make_shared<TextField>(Rect(105, 5, 190, 35));
        field->setFont(Font::systemFont(16));
        field->setTextColor(Color::black());
        field->setPlaceholder(placeholders[row]);
        field->delegate = self;
        cell->addSubview(field);
        fields_[row] = field;
        list_->addSubview(cell);
    }
    passTxt().setSecureTextEntry(true);
    form->addSubview(list_);

    syncLbl_ = Label::caption(Rect(10, barHeight, 300, 3 * rowHeight), Font::boldSystemFont(16),
                              Color::black(), TextAlignment::Center);
    syncLbl_->setNumberOfLines(3);
    syncLbl_->setAlpha(0);
    form->addSubview(syncLbl_);
    blackView_ = std::make_shared<View>(Rect(0, barHeight, screenWidth, 3 * rowHeight));
    blackView_->setBackgroundColor(Color::black());
    blackView_->setAlpha(0);
    form->addSubview(blackView_);
    setView(form);
}

void SyncController::loadUserData() {
    view();
    std::string server = SyncServerSetting::get();
    std::string user = DatabaseController::getUsername().value_or(std::nullopt).value_or("");
    // A form closed while it showed a message opens with its fields again.
    blackView_->setAlpha(0);
    list_->setAlpha(1);
    syncLbl_->setAlpha(0);
    serverTxt().setText(server);
    userNameTxt().setText(user);
    // An older version kept the password in the diary: into the keyring with it.
    if (!moveOldPassword(*vault_, server, user)) {
        Log::write("SyncController: the diary's old password could not be emptied");
    }
    std::string old = DatabaseController::getPassword().value_or(std::nullopt).value_or("");
    passTxt().setText(old.empty() ? vault_->password(server, user).value_or("") : old);
}

void SyncController::moveUp() {
    if (isUp_) {
        return;
    }
    View::animate(0.25, [this] { view()->setCenter(raisedCenter); });
    isUp_ = true;
}

void SyncController::giveUpKeyboard() {
    for (const auto& field : fields_) {
        field->resignFirstResponder();
    }
}

void SyncController::cancelClicked() {
    cancelled_ = syncing_;
    resultTimer_.invalidate();
    if (auto host = host_.lock()) {
        host->cancelClicked();
    }
    giveUpKeyboard();
    isUp_ = false;
}

void SyncController::syncClicked() {
    auto host = host_.lock();
    if (!host || syncing_) {
        return;
    }
    giveUpKeyboard();
    View::animate(fadeSeconds, [this] { blackView_->setAlpha(0.7); });
    std::string server = serverTxt().text();
    if (server != SyncServerSetting::get()) {
        SyncServerSetting::set(server);
    }
    syncing_ = true;
    cancelled_ = false;
    // The sync serves the run loop while it waits: the window keeps drawing
    // and Cancel can end it.
    host->syncWithUser(server, userNameTxt().text(), passTxt().text());
    syncing_ = false;
}

void SyncController::syncedSuccessful(const SyncOutcome& outcome) {
    if (cancelled_ || outcome.result == SyncOutcome::Result::cancelled) {
        return;
    }
    switch (outcome.result) {
    case SyncOutcome::Result::synced:
        vault_->keep(serverTxt().text(), userNameTxt().text(), passTxt().text());
        showResult(Strings::localized("You have synced successfuly! Key"), true);
        break;
    case SyncOutcome::Result::someNotCopied:
        vault_->keep(serverTxt().text(), userNameTxt().text(), passTxt().text());
        showResult(
            Strings::localizedFormat("Some events could not be copied Key", outcome.failedRequests),
            false);
        break;
    default:
        showResult(Strings::localized("Error occurred, check your username and password! Key"),
                   false);
        break;
    }
}

void SyncController::showResult(const std::string& text, bool succeeded) {
    blackView_->setAlpha(0);
    syncLbl_->setText(text);
    View::animate(fadeSeconds, [this] {
        list_->setAlpha(0);
        syncLbl_->setAlpha(1);
    });
    std::weak_ptr<SyncController> self = weakSelf();
    resultTimer_ = Timer(succeeded ? successSeconds : failureSeconds, false, [self, succeeded] {
        if (auto form = self.lock()) {
            succeeded ? form->tmrEnd1() : form->tmrEnd2();
        }
    });
}

void SyncController::tmrEnd1() {
    cancelClicked();
    View::animate(fadeSeconds, [this] {
        list_->setAlpha(1);
        syncLbl_->setAlpha(0);
    });
}

void SyncController::tmrEnd2() {
    giveUpKeyboard();
    View::animate(fadeSeconds, [this] {
        view()->setCenter(restingCenter);
        list_->setAlpha(1);
        syncLbl_->setAlpha(0);
    });
    isUp_ = false;
}

} // namespace florelle
