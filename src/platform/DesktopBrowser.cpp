// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopBrowser.h"

#include "ChildProcess.h"
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
    return ChildProcess::startDetached({"xdg-open", address});
}

} // namespace florelle
