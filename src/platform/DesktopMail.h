// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

class DesktopPortal;

// Hands a message with files attached to the desktop's e-mail program,
// where she reads it, adds the addresses and sends it: through the e-mail
// portal where it runs, else through xdg-email, whose arguments never pass
// through a shell.
class DesktopMail {
public:
    enum class Outcome {
        handedOver,    // the e-mail program has the message
        cancelled,     // she turned the program's choice down
        noMailProgram, // no e-mail program was found to take it
        failed,        // something else went wrong (logged)
    };
    struct Message {
        std::string subject;
        std::string body;
        std::vector<std::filesystem::path> attachments;
    };
    using Done = std::function<void(Outcome)>;

    // `portal` may be empty: then xdg-email is asked.
    explicit DesktopMail(std::shared_ptr<DesktopPortal> portal);

    // `done` hears, once, on this thread's run loop, how it went.
    void compose(const Message& message, Done done);

    // xdg-email's command line for the message: empty texts left out,
    // each file named by its full path.
    static std::vector<std::string> xdgEmailArguments(const Message& message);

private:
    bool composeThroughPortal(const Message& message, const Done& done);

    std::shared_ptr<DesktopPortal> portal_;
};

} // namespace florelle
