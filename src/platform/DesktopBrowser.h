// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

// Hands a web address to the desktop's browser (xdg-open). Only http,
// https and mailto addresses are handed on; false for others and when the
// browser cannot be started (which is logged).
class DesktopBrowser {
public:
    static bool open(const std::string& address);
    static bool isOpenable(const std::string& address);
};

} // namespace florelle
