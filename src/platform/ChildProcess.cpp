// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include "GLibHandles.h"
#include "GMainContextSource.h"
#include "foundation/Log.h"
#include "foundation/RunLoop.h"

#include <glib.h>
#include <memory>
#include <sys/wait.h>

namespace florelle {

namespace {

constexpr GSpawnFlags quietSearch = static_cast<GSpawnFlags>(
    G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);

// GLib's own spawn: it closes the descriptors the child must not inherit.
ChildProcess::Start spawn(const std::vector<std::string>& arguments, GSpawnFlags flags, GPid* pid) {
    std::vector<gchar*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<gchar*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    GError* raw = nullptr;
    if (g_spawn_async(nullptr, argv.data(), nullptr, flags, nullptr, nullptr, pid, &raw)) {
        return ChildProcess::Start::started;
    }
    GErrorHandle error(raw);
    Log::write("Could not start " + arguments.at(0) + ": " +
               (error ? error->message : "unknown error"));
    return error && g_error_matches(error.get(), G_SPAWN_ERROR, G_SPAWN_ERROR_NOENT)
               ? ChildProcess::Start::notFound
               : ChildProcess::Start::failed;
}

// Hears one child's end in a GLib context of its own that the run loop
// serves, and goes away once it has told.
class ExitWatch {
public:
    ExitWatch(GPid pid, std::function<void(int)> exited)
        : context_(g_main_context_new()), exited_(std::move(exited)) {
        GSource* source = g_child_watch_source_new(pid);
        // GLib calls a child watch with the child and its wait status.
        g_source_set_callback(source, G_SOURCE_FUNC(&ExitWatch::childExited), this, nullptr);
        g_source_attach(source, context_.get());
        g_source_unref(source);
        served_ = std::make_unique<GMainContextSource>(context_.get());
    }

private:
    static void childExited(GPid child, gint waitStatus, gpointer self) {
        g_spawn_close_pid(child);
        static_cast<ExitWatch*>(self)->ended(waitStatus);
    }

    void ended(int waitStatus) {
        int status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
        // Not while GLib is still dispatching from this context.
        RunLoop::current().post([this, status] {
            auto exited = std::move(exited_);
            delete this;
            exited(status);
        });
    }

    GMainContextHandle context_;
    std::unique_ptr<GMainContextSource> served_;
    std::function<void(int)> exited_;
};

} // namespace

bool ChildProcess::startDetached(const std::vector<std::string>& arguments) {
    // Without DO_NOT_REAP_CHILD the child is reaped for us.
    return spawn(arguments, quietSearch, nullptr) == Start::started;
}

ChildProcess::Start ChildProcess::start(const std::vector<std::string>& arguments,
                                        std::function<void(int)> exited) {
    GPid pid = 0;
    Start started =
        spawn(arguments, static_cast<GSpawnFlags>(quietSearch | G_SPAWN_DO_NOT_REAP_CHILD), &pid);
    if (started == Start::started) {
        new ExitWatch(pid, std::move(exited));
    }
    return started;
}

} // namespace florelle
