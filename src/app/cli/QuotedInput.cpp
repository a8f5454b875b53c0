// SPDX-License-Identifier: GPL-3.0-or-later
#include "QuotedInput.h"

#include <cstdio>

namespace florelle::cli {

namespace {

constexpr size_t longestShown = 40;

size_t expectedLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead < 0xc2) {
        return 0;
    }
    return lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : lead < 0xf5 ? 4 : 0;
}

// The length of the UTF-8 sequence at the start of `text`, 0 when it is none.
size_t sequenceLength(std::string_view text) {
    size_t length = expectedLength(static_cast<unsigned char>(text[0]));
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xc0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool isControl(std::string_view character) {
    auto first = static_cast<unsigned char>(character[0]);
    auto second = character.size() > 1 ? static_cast<unsigned char>(character[1]) : 0;
    // C0, DEL, and C1 (U+0080 to U+009F), which some terminals obey as well.
    return first < 0x20 || first == 0x7f || (first == 0xc2 && second < 0xa0);
}

std::string escaped(std::string_view bytes) {
    std::string out;
    for (char byte : bytes) {
        switch (byte) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(byte));
            out += code;
        }
    }
    return out;
}

bool isLayout(std::string_view character) {
    return character == "\n" || character == "\t";
}

} // namespace

std::string printableText(std::string_view text) {
    std::string out;
    while (!text.empty()) {
        size_t length = sequenceLength(text);
        std::string_view character = text.substr(0, length == 0 ? 1 : length);
        bool plain = length != 0 && (!isControl(character) || isLayout(character));
        out += plain ? std::string(character) : escaped(character);
        text.remove_prefix(character.size());
    }
    return out;
}

bool isPlainText(std::string_view text) {
    return printableText(text) == text;
}

std::string quotedInput(std::string_view text) {
    std::string out = "'";
    size_t shown = 0;
    while (!text.empty() && shown < longestShown) {
        size_t length = sequenceLength(text);
        std::string_view character = text.substr(0, length == 0 ? 1 : length);
        out += length == 0 || isControl(character) ? escaped(character) : std::string(character);
        text.remove_prefix(character.size());
        ++shown;
    }
    return out + (text.empty() ? "'" : "…'");
}

} // namespace florelle::cli
