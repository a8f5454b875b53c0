#include "DesktopBrowser.h"

#include "foundation/Log.h"

#include <glib.h>

namespace florelle {

bool DesktopBrowser::isOpenable(const std::string& address) {
    for (const char* scheme : {"http://", "https://", "mailto:"}) {
        if (g_ascii_strncasecmp(address.c_str(), scheme, std::char_traits<char>::length(scheme)) ==
            0) {
            return true;
        }
    }
    return false;
}

bool DesktopBrowser::open(const std::string& address) {
    if (!isOpenable(address)) {
        Log::write("Browser: not opening " + address);
        return false;
    }
    // The address is one argument of its own: nothing of it reaches a shell.
    const gchar* arguments[] = {"xdg-open", address.c_str(), nullptr};
    GError* error = nullptr;
    // Without DO_NOT_REAP the child is reaped for us, leaving no zombie.
    bool started =
        g_spawn_async(nullptr, const_cast<gchar**>(arguments), nullptr,
                      static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL |
                                               G_SPAWN_STDERR_TO_DEV_NULL),
                      nullptr, nullptr, nullptr, &error);
    if (!started) {
        Log::write(std::string("Browser: could not start xdg-open: ") +
                   (error ? error->message : "unknown error"));
        g_clear_error(&error);
    }
    return started;
}

} // namespace florelle
