// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasscodeSetting.h"

#include "foundation/Log.h"
#include "storage/DatabaseController.h"
#include "storage/Row.h"

#include <algorithm>
#include <cctype>

namespace florelle {

std::optional<long long> PasscodeSetting::stored() {
    auto stored = DatabaseController::getLocalPasscode();
    if (!stored || !*stored) {
        Log::write("The passcode setting cannot be read; the diary is not locked");
        return std::nullopt;
    }
    const auto& text = *stored;
    if (text->empty()) {
        return std::nullopt;
    }
    if (!std::all_of(text->begin(), text->end(), [](unsigned char c) { return std::isdigit(c); })) {
        Log::write("The passcode setting is not a number; the diary is not locked");
        return std::nullopt;
    }
    return Row::integerValue(std::string_view(*text));
}

} // namespace florelle
