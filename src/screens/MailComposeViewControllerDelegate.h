// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace florelle {

class MailComposeViewController;

// How she left the mail composer: cancelled it, or handed the message to
// her e-mail program.
enum class MailComposeResult { cancelled, sent };

// Told when she is done with the mail composer; the delegate takes it down.
class MailComposeViewControllerDelegate {
public:
    virtual ~MailComposeViewControllerDelegate() = default;
    virtual void didFinishWithResult(MailComposeViewController& controller,
                                     MailComposeResult result,
                                     const std::optional<std::string>& error) = 0;
};

} // namespace florelle
