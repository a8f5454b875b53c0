// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MailComposeViewControllerDelegate.h"
#include "reports/ReportExport.h"

#include <functional>
#include <memory>
#include <vector>

namespace florelle {

class MainPageHost;

// The written reports on their way to the mail composer: takes the busy
// veil down, puts the composer with the files attached over the main
// screen and, whatever she did there, takes it down again and lets the
// settings list clear its row.
class ReportMail : public MailComposeViewControllerDelegate,
                   public std::enable_shared_from_this<ReportMail> {
public:
    ReportMail(std::weak_ptr<MainPageHost> host, std::function<void()> finished);

    void makeMail(const std::vector<ReportFile>& files);

    void didFinishWithResult(MailComposeViewController& controller, MailComposeResult result,
                             const std::optional<std::string>& error) override;

private:
    std::weak_ptr<MainPageHost> host_;
    std::function<void()> finished_;
};

} // namespace florelle
