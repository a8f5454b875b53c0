// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/LocalizedText.h"

#include <optional>
#include <string>

namespace florelle {

struct FontSpec {
    double size = 0;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

struct Origin {
    double x = 0;
    double y = 0;
    bool operator==(const Origin&) const = default;
};

// What the centre of the main screen shows: the cloud text, the centre
// picture, the big number and its caption. An empty optional leaves that
// property of the screen as it is.
struct TodayDisplay {
    LocalizedText cloudText;
    // A picture name pattern that takes the skin number ("center0_%d.png").
    std::optional<std::string> centerPicture;
    LocalizedText numberText;
    std::optional<FontSpec> numberFont;
    LocalizedText captionText;
    FontSpec captionFont;
    std::optional<Origin> captionOrigin;
    // The centre button that enters a period's start or end.
    bool centerButtonEnabled = true;
};

} // namespace florelle
