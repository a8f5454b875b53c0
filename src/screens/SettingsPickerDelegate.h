// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// Where the settings picker sends a number picked in number mode: the
// screen that opened it, which knows which setting the number is for.
class SettingsPickerDelegate {
public:
    virtual ~SettingsPickerDelegate() = default;
    virtual void didSelectNumber(int value) = 0;
};

} // namespace florelle
