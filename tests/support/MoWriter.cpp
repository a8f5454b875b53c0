// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoWriter.h"

#include <cstdint>

namespace florelle::testing {

std::string writeMessageCatalog(const std::vector<std::pair<std::string, std::string>>& entries,
                                bool bigEndian) {
    std::string bytes;
    auto word = [&bytes, bigEndian](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            int shift = bigEndian ? 24 - 8 * i : 8 * i;
            bytes.push_back(static_cast<char>((value >> shift) & 0xff));
        }
    };
    auto count = static_cast<std::uint32_t>(entries.size());
    std::uint32_t keyTable = 28;
    std::uint32_t textTable = keyTable + 8 * count;
    std::uint32_t data = textTable + 8 * count;
    word(0x950412de);
    word(0);
    word(count);
    word(keyTable);
    word(textTable);
    word(0);
    word(data);

    std::string strings;
    std::vector<std::uint32_t> keyOffsets;
    std::vector<std::uint32_t> textOffsets;
    for (const auto& [key, text] : entries) {
        keyOffsets.push_back(data + static_cast<std::uint32_t>(strings.size()));
        strings += key;
        strings.push_back('\0');
    }
    for (const auto& [key, text] : entries) {
        textOffsets.push_back(data + static_cast<std::uint32_t>(strings.size()));
        strings += text;
        strings.push_back('\0');
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        word(static_cast<std::uint32_t>(entries[i].first.size()));
        word(keyOffsets[i]);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        word(static_cast<std::uint32_t>(entries[i].second.size()));
        word(textOffsets[i]);
    }
    return bytes + strings;
}

} // namespace florelle::testing
