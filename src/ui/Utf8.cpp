// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8.h"

namespace florelle::utf8 {

namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

std::size_t lastCharacterStart(std::string_view text) {
    std::size_t position = text.size();
    while (position > 0) {
        --position;
        if (!isContinuation(text[position])) {
            break;
        }
    }
    return position;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text) {
        count += isContinuation(byte) ? 0 : 1;
    }
    return count;
}

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> result;
    std::size_t start = 0;
    for (std::size_t position = 1; position <= text.size(); ++position) {
        if (position == text.size() || !isContinuation(text[position])) {
            result.push_back(text.substr(start, position - start));
            start = position;
        }
    }
    return result;
}

} // namespace florelle::utf8
