// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace florelle::utf8 {

// Where the last character of the text starts (0 for an empty text).
std::size_t lastCharacterStart(std::string_view text);
std::size_t characterCount(std::string_view text);
// The text cut into its characters, each a UTF-8 sequence.
std::vector<std::string_view> characters(std::string_view text);

} // namespace florelle::utf8
