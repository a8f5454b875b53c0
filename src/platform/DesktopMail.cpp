// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopMail.h"

#include "ChildProcess.h"
#include "DesktopPortal.h"
#include "GLibHandles.h"
#include "foundation/FileDescriptor.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"

#include <fcntl.h>
#include <gio/gunixfdlist.h>
#include <optional>

namespace florelle {

namespace {

constexpr const char* emailInterface = "org.freedesktop.portal.Email";

// xdg-email's exit statuses when it found no program for mail: 3, "a
// required tool could not be found", and 4, "the action failed".
constexpr int xdgToolMissing = 3;
constexpr int xdgActionFailed = 4;

DesktopMail::Outcome fromPortal(unsigned code) {
    switch (code) {
    case 0:
        return DesktopMail::Outcome::handedOver;
    case 1:
        return DesktopMail::Outcome::cancelled;
    default:
        // The portal ends a request this way when no program takes mail.
        return DesktopMail::Outcome::noMailProgram;
    }
}

DesktopMail::Outcome fromXdgEmail(int status) {
    if (status == 0) {
        return DesktopMail::Outcome::handedOver;
    }
    if (status == xdgToolMissing || status == xdgActionFailed) {
        return DesktopMail::Outcome::noMailProgram;
    }
    Log::write("DesktopMail: xdg-email ended with status " + std::to_string(status));
    return DesktopMail::Outcome::failed;
}

// Files opened for reading, to be passed over the bus.
class FileDescriptorList {
public:
    FileDescriptorList() : list_(g_unix_fd_list_new()) {}

    // The file's index in the list; std::nullopt (logged) when it cannot be read.
    std::optional<gint32> open(const std::filesystem::path& file) {
        FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        GError* raw = nullptr;
        gint index = fd.isValid() ? g_unix_fd_list_append(list_.get(), fd.get(), &raw) : -1;
        GErrorHandle error(raw);
        if (index < 0) {
            Log::write("DesktopMail: cannot attach " + file.string());
            return std::nullopt;
        }
        return index;
    }
    GUnixFDList* list() const { return list_.get(); }

private:
    GObjectHandle<GUnixFDList> list_;
};

} // namespace

DesktopMail::DesktopMail(std::shared_ptr<DesktopPortal> portal) : portal_(std::move(portal)) {}

std::vector<std::string> DesktopMail::xdgEmailArguments(const Message& message) {
    std::vector<std::string> arguments = {"xdg-email", "--utf8"};
    if (!message.subject.empty()) {
        arguments.insert(arguments.end(), {"--subject", message.subject});
    }
    if (!message.body.empty()) {
        arguments.insert(arguments.end(), {"--body", message.body});
    }
    for (const auto& file : message.attachments) {
        arguments.insert(arguments.end(), {"--attach", std::filesystem::absolute(file).string()});
    }
    return arguments;
}

void DesktopMail::compose(const Message& message, Done done) {
    if (portal_ && portal_->version(emailInterface) > 0 && composeThroughPortal(message, done)) {
        return;
    }
    auto started = ChildProcess::start(xdgEmailArguments(message),
                                       [done](int status) { done(fromXdgEmail(status)); });
    if (started != ChildProcess::Start::started) {
        Outcome outcome =
            started == ChildProcess::Start::notFound ? Outcome::noMailProgram : Outcome::failed;
        RunLoop::current().post([done, outcome] { done(outcome); });
    }
}

bool DesktopMail::composeThroughPortal(const Message& message, const Done& done) {
    // The portal takes the files as open descriptors, so that a sandboxed
    // mail program may read them.
    FileDescriptorList files;
    GVariantBuilder handles;
    g_variant_builder_init(&handles, G_VARIANT_TYPE("ah"));
    for (const auto& file : message.attachments) {
        auto handle = files.open(file);
        if (!handle) {
            g_variant_builder_clear(&handles);
            return false;
        }
        g_variant_builder_add(&handles, "h", *handle);
    }
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "subject",
                          g_variant_new_string(message.subject.c_str()));
    g_variant_builder_add(&options, "{sv}", "body", g_variant_new_string(message.body.c_str()));
    g_variant_builder_add(&options, "{sv}", "attachment_fds", g_variant_builder_end(&handles));
    return portal_->request(emailInterface, "ComposeEmail", {g_variant_new_string("")}, options,
                            files.list(),
                            [done](unsigned code, GVariant*) { done(fromPortal(code)); });
}

} // namespace florelle
