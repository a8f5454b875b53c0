// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace florelle {

// A stretch of a text, in bytes of its UTF-8 form; always on character bounds.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const TextRange&) const = default;
};

} // namespace florelle
