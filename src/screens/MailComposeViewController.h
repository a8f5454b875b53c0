// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileChooser.h"
#include "MailComposeViewControllerDelegate.h"
#include "platform/DesktopMail.h"
#include "ui/AlertViewDelegate.h"
#include "ui/ViewController.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace florelle {

class AlertView;
class Button;
class DesktopPortal;
class Label;

// The mail composer of this desktop: a screen listing the files to attach,
// each with "Open" and "Save to…". "Send" hands the message with every file
// attached to her e-mail program, where she adds the address and sends it;
// the screen is then done. Where no e-mail program takes it, an alert says
// so and offers to save the files to a folder instead. Shown in a
// navigation controller, whose bar holds Cancel and Send.
class MailComposeViewController : public ViewController, public AlertViewDelegate {
public:
    struct Attachment {
        std::filesystem::path file;
        std::string mimeType;
    };

    // `portal` may be empty: then xdg-email sends and our own picker chooses
    // folders.
    explicit MailComposeViewController(std::shared_ptr<DesktopPortal> portal);
    ~MailComposeViewController() override;

    // Before the screen is shown. Subject and text are hers to write in
    // her e-mail program.
    void addAttachment(std::filesystem::path file, std::string mimeType);
    const std::vector<Attachment>& attachments() const { return attachments_; }

    std::weak_ptr<MailComposeViewControllerDelegate> mailComposeDelegate;

    // The buttons' actions.
    void sendClicked();
    void cancelClicked();
    void openClicked(size_t index);
    // Every file when no index is given.
    void saveClicked(std::optional<size_t> index);

    // Saves the files into `folder`, each replacing one of its name, and
    // says where they went (or why not) under the list.
    void saveInto(const std::vector<Attachment>& files, const std::filesystem::path& folder);

    // The screen's parts, for the user's eyes and for tests.
    Label& statusLabel() const { return *statusLabel_; }
    Button& openButton(size_t index) const { return *rows_.at(index).open; }
    Button& saveButton(size_t index) const { return *rows_.at(index).save; }
    AlertView* alert() const { return alert_.get(); }

    void clickedButtonAtIndex(AlertView& alert, int index) override;

protected:
    void loadView() override;

private:
    struct Row {
        std::shared_ptr<Button> open;
        std::shared_ptr<Button> save;
    };

    void handOffEnded(DesktopMail::Outcome outcome);
    void showAlert(const std::string& message, bool offerSaving);
    void chooseFolder(std::vector<Attachment> files);
    void finish(MailComposeResult result);
    std::weak_ptr<MailComposeViewController> weakSelf();

    DesktopMail mail_;
    FileChooser chooser_;
    std::vector<Attachment> attachments_;
    std::vector<Row> rows_;
    std::shared_ptr<Label> statusLabel_;
    std::shared_ptr<AlertView> alert_;
    bool sending_ = false;
};

} // namespace florelle
