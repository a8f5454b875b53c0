// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/TodayDisplay.h"
#include "foundation/Strings.h"
#include "graphics/Font.h"

#include <string>

namespace florelle {

// The system face a status display asks for.
inline Font displayFont(const FontSpec& spec) {
    return spec.bold ? Font::boldSystemFont(spec.size) : Font::systemFont(spec.size);
}

// A status text in the user's language.
inline std::string displayText(const LocalizedText& text) {
    return text.resolve();
}

} // namespace florelle
