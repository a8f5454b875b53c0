// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace florelle::cli {

// What the user typed, fit to be repeated in a one-line message: in single
// quotes, control characters and bytes that are no UTF-8 written as escapes
// (\n, \x1b), and cut after 40 characters with "…", so that no input can
// move the cursor, colour the terminal or flood the line.
std::string quotedInput(std::string_view text);

// Stored text printed whole: lines and tabs kept, other control characters
// and bytes that are no UTF-8 written as escapes.
std::string printableText(std::string_view text);

// Whether the bytes are UTF-8 text without control characters other than
// line breaks and tabs.
bool isPlainText(std::string_view text);

} // namespace florelle::cli
