// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportMail.h"

#include "MailComposeViewController.h"
#include "MainPageHost.h"
#include "ModalSheetController.h"
#include "platform/DesktopPortal.h"
#include "ui/NavigationController.h"

namespace florelle {

ReportMail::ReportMail(std::weak_ptr<MainPageHost> host, std::function<void()> finished)
    : host_(std::move(host)), finished_(std::move(finished)) {}

void ReportMail::makeMail(const std::vector<ReportFile>& files) {
    auto host = host_.lock();
    if (!host) {
        return;
    }
    host->changeTranspView(0, false);
    auto composer = std::make_shared<MailComposeViewController>(DesktopPortal::connect());
    composer->mailComposeDelegate = shared_from_this();
    for (const auto& file : files) {
        composer->addAttachment(file.path, file.mimeType);
    }
    host->presentModalController(
        std::make_shared<ModalSheetController>(std::make_shared<NavigationController>(composer)));
}

void ReportMail::didFinishWithResult(MailComposeViewController&, MailComposeResult,
                                     const std::optional<std::string>&) {
    if (auto host = host_.lock()) {
        host->dismissModalController();
    }
    if (finished_) {
        finished_();
    }
}

} // namespace florelle
