// SPDX-License-Identifier: GPL-3.0-or-later
#include "MailComposeViewController.h"

#include "foundation/Format.h"
#include "foundation/Log.h"
#include "foundation/PrivateFiles.h"
#include "foundation/Strings.h"
#include "graphics/Image.h"
#include "platform/DesktopFiles.h"
#include "storage/DatabaseController.h"
#include "ui/AlertView.h"
#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Label.h"

#include <algorithm>
#include <cctype>

namespace florelle {

namespace {

constexpr double margin = 16;
constexpr double contentWidth = ViewController::screenWidth - 2 * margin;
constexpr double rowTop = 98;
constexpr double rowHeight = 86;
constexpr double badgeSize = 44;
constexpr double textX = margin + badgeSize + 10;
constexpr double buttonHeight = 30;
// The button picture's rounded ends stay unstretched.
constexpr double buttonCap = 12;
const Color dimText(0.45, 0.45, 0.45);
const Color badgeColor(0.8, 0.25, 0.4);

std::shared_ptr<Label> makeLabel(const Rect& frame, const Font& font, const Color& color,
                                 int lines = 1) {
    auto label = std::make_shared<Label>(frame);
    label->setFont(font);
    label->setTextColor(color);
    label->setNumberOfLines(lines);
    if (lines != 1) {
        label->setLineBreakMode(LineBreakMode::WordWrap);
    }
    return label;
}

std::shared_ptr<Button> makeButton(const Rect& frame, const char* titleKey, int skin,
                                   std::function<void()> action) {
    auto button = std::make_shared<Button>(frame);
    button->setBackgroundImage(
        Image::named(format("button_%d.png", skin)).stretchable(buttonCap, buttonHeight / 2));
    button->setTitle(Strings::localized(titleKey));
    button->setTitleFont(Font::boldSystemFont(14));
    button->onTouchUpInside = std::move(action);
    return button;
}

// "PDF" for "Florelle-cycle.pdf".
std::string kindOf(const std::filesystem::path& file) {
    std::string kind = file.extension().string();
    kind.erase(0, std::min<size_t>(1, kind.size()));
    std::transform(kind.begin(), kind.end(), kind.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return kind;
}

int kilobytes(const std::filesystem::path& file) {
    std::error_code error;
    auto bytes = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<int>((bytes + 1023) / 1024);
}

} // namespace

MailComposeViewController::MailComposeViewController(std::shared_ptr<DesktopPortal> portal)
    : mail_(portal), chooser_(portal) {}

MailComposeViewController::~MailComposeViewController() = default;

std::weak_ptr<MailComposeViewController> MailComposeViewController::weakSelf() {
    return std::static_pointer_cast<MailComposeViewController>(shared_from_this());
}

void MailComposeViewController::addAttachment(std::filesystem::path file, std::string mimeType) {
    attachments_.push_back({std::move(file), std::move(mimeType)});
}

void MailComposeViewController::loadView() {
    auto self = weakSelf();
    setTitle(Strings::localized("New Message Key"));
    navigationItem().leftBarButtonItem =
        std::make_shared<BarButtonItem>(BarButtonItem::SystemItem::cancel, [self] {
            if (auto composer = self.lock()) {
                composer->cancelClicked();
            }
        });
    navigationItem().rightBarButtonItem = std::make_shared<BarButtonItem>(
        Strings::localized("Send Key"), BarButtonItem::Style::done, [self] {
            if (auto composer = self.lock()) {
                composer->sendClicked();
            }
        });

    auto view = std::make_shared<View>(Rect(0, 0, screenWidth, screenHeight));
    view->setBackgroundColor(Color::white());
    auto hint = makeLabel(Rect(margin, 12, contentWidth, 54), Font::systemFont(14), dimText, 3);
    hint->setText(Strings::localized("Mail hint Key"));
    view->addSubview(hint);
    auto header = makeLabel(Rect(margin, 72, contentWidth, 20), Font::boldSystemFont(13), dimText);
    header->setText(Strings::localized("Mail attachments Key"));
    view->addSubview(header);

    int skin = DatabaseController::getSkin().value_or(0);
    for (size_t index = 0; index < attachments_.size(); ++index) {
        const auto& file = attachments_[index].file;
        double y = rowTop + rowHeight * static_cast<double>(index);
        auto badge = makeLabel(Rect(margin, y + 8, badgeSize, badgeSize), Font::boldSystemFont(13),
                               Color::white());
        badge->setBackgroundColor(badgeColor);
        badge->setTextAlignment(TextAlignment::Center);
        badge->setText(kindOf(file));
        view->addSubview(badge);
        auto name = makeLabel(Rect(textX, y + 6, screenWidth - margin - textX, 20),
                              Font::boldSystemFont(15), Color::black());
        name->setLineBreakMode(LineBreakMode::TruncateMiddle);
        name->setText(file.filename().string());
        view->addSubview(name);
        auto details = makeLabel(Rect(textX, y + 26, screenWidth - margin - textX, 16),
                                 Font::systemFont(12), dimText);
        details->setText(
            Strings::localizedFormat("Attachment details Key", kindOf(file), kilobytes(file)));
        view->addSubview(details);
        Row row;
        row.open =
            makeButton(Rect(textX, y + 46, 108, buttonHeight), "Open Key", skin, [self, index] {
                if (auto composer = self.lock()) {
                    composer->openClicked(index);
                }
            });
        row.save = makeButton(Rect(textX + 116, y + 46, 118, buttonHeight), "Save to… Key", skin,
                              [self, index] {
                                  if (auto composer = self.lock()) {
                                      composer->saveClicked(index);
                                  }
                              });
        view->addSubview(row.open);
        view->addSubview(row.save);
        auto rule = std::make_shared<View>(Rect(margin, y + rowHeight - 1, contentWidth, 1));
        rule->setBackgroundColor(Color(0.85, 0.85, 0.85));
        view->addSubview(rule);
        rows_.push_back(std::move(row));
    }
    double statusTop = rowTop + rowHeight * static_cast<double>(attachments_.size()) + 12;
    statusLabel_ = makeLabel(Rect(margin, statusTop, contentWidth, 90), Font::systemFont(15),
                             Color(0.2, 0.2, 0.2), 0);
    statusLabel_->setTextAlignment(TextAlignment::Center);
    view->addSubview(statusLabel_);
    setView(view);
}

void MailComposeViewController::sendClicked() {
    view();
    if (sending_) {
        return;
    }
    sending_ = true;
    statusLabel_->setText(Strings::localized("Opening mail program Key"));
    DesktopMail::Message message;
    for (const auto& attachment : attachments_) {
        message.attachments.push_back(attachment.file);
    }
    auto self = weakSelf();
    mail_.compose(message, [self](DesktopMail::Outcome outcome) {
        if (auto composer = self.lock()) {
            composer->handOffEnded(outcome);
        }
    });
}

void MailComposeViewController::handOffEnded(DesktopMail::Outcome outcome) {
    sending_ = false;
    switch (outcome) {
    case DesktopMail::Outcome::handedOver:
        statusLabel_->setText("");
        finish(MailComposeResult::sent);
        break;
    case DesktopMail::Outcome::cancelled:
        statusLabel_->setText("");
        break;
    case DesktopMail::Outcome::noMailProgram:
        statusLabel_->setText(Strings::localized("No mail program Key"));
        showAlert(Strings::localized("No mail program Key"), true);
        break;
    case DesktopMail::Outcome::failed:
        statusLabel_->setText(Strings::localized("Mail hand-off failed Key"));
        showAlert(Strings::localized("Mail hand-off failed Key"), true);
        break;
    }
}

void MailComposeViewController::cancelClicked() {
    finish(MailComposeResult::cancelled);
}

void MailComposeViewController::finish(MailComposeResult result) {
    if (auto delegate = mailComposeDelegate.lock()) {
        delegate->didFinishWithResult(*this, result, std::nullopt);
    }
}

void MailComposeViewController::openClicked(size_t index) {
    const auto& file = attachments_.at(index).file;
    if (!DesktopFiles::open(file)) {
        showAlert(Strings::localizedFormat("Cannot open file Key", file.filename().string()),
                  false);
    }
}

void MailComposeViewController::saveClicked(std::optional<size_t> index) {
    chooseFolder(index ? std::vector<Attachment>{attachments_.at(*index)} : attachments_);
}

void MailComposeViewController::chooseFolder(std::vector<Attachment> files) {
    auto self = weakSelf();
    auto chosen = [self, files](std::optional<std::filesystem::path> folder) {
        auto composer = self.lock();
        if (composer && folder) {
            composer->saveInto(files, *folder);
        }
    };
    chooser_.choose(*this, FileChooser::Picks::folder, Strings::localized("Choose a folder Key"),
                    Strings::localized("Save here Key"), chosen);
}

void MailComposeViewController::saveInto(const std::vector<Attachment>& files,
                                         const std::filesystem::path& folder) {
    view();
    for (const auto& attachment : files) {
        auto target = folder / attachment.file.filename();
        auto error =
            PrivateFiles::writeAtomically(target, [&](const std::filesystem::path& temporary) {
                std::error_code copied;
                std::filesystem::copy_file(attachment.file, temporary,
                                           std::filesystem::copy_options::overwrite_existing,
                                           copied);
                return copied;
            });
        if (error) {
            Log::write("Mail composer: cannot save " + target.string() + ": " + error.message());
            statusLabel_->setText("");
            showAlert(Strings::localizedFormat("Cannot save Key", folder.string(), error.message()),
                      false);
            return;
        }
    }
    statusLabel_->setText(Strings::localizedFormat("Saved to Key", folder.string()));
}

void MailComposeViewController::showAlert(const std::string& message, bool offerSaving) {
    std::vector<std::string> others;
    if (offerSaving) {
        others.push_back(Strings::localized("Save to… Key"));
    }
    alert_ = std::make_shared<AlertView>(
        Strings::localized("Send to Email Key"), message,
        std::static_pointer_cast<MailComposeViewController>(shared_from_this()),
        Strings::localized("OK Key"), others);
    alert_->show();
}

void MailComposeViewController::clickedButtonAtIndex(AlertView& alert, int index) {
    if (index != alert.cancelButtonIndex()) {
        saveClicked(std::nullopt);
    }
    alert_.reset();
}

} // namespace florelle
