// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageCatalog.h"

#include "Log.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace florelle {

namespace {

constexpr std::uint32_t magic = 0x950412de;
constexpr std::uint32_t swappedMagic = 0xde120495;
constexpr std::size_t headerSize = 28;

// Reads the catalogue's 32-bit words in the byte order its magic number shows.
class WordReader {
public:
    WordReader(std::string_view bytes, bool swapped) : bytes_(bytes), swapped_(swapped) {}

    std::optional<std::uint32_t> at(std::size_t offset) const {
        if (offset > bytes_.size() || bytes_.size() - offset < 4) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            auto byte = static_cast<std::uint8_t>(bytes_[offset + (swapped_ ? i : 3 - i)]);
            value = (value << 8) | byte;
        }
        return value;
    }

    // The text of table entry `index` of the table at `table`: its length
    // and offset, checked to lie inside the file.
    std::optional<std::string_view> text(std::uint32_t table, std::uint32_t index) const {
        auto length = at(std::size_t{table} + std::size_t{index} * 8);
        auto offset = at(std::size_t{table} + std::size_t{index} * 8 + 4);
        if (!length || !offset || *offset > bytes_.size() || bytes_.size() - *offset < *length) {
            return std::nullopt;
        }
        return bytes_.substr(*offset, *length);
    }

private:
    std::string_view bytes_;
    bool swapped_;
};

std::optional<bool> byteOrder(std::string_view bytes) {
    if (bytes.size() < headerSize) {
        return std::nullopt;
    }
    auto littleEndian = WordReader(bytes, false).at(0);
    if (littleEndian == magic) {
        return false;
    }
    if (littleEndian == swappedMagic) {
        return true;
    }
    return std::nullopt;
}

// A counted entry's key is the msgid and msgid_plural, its text the forms,
// each separated by NUL.
std::string_view firstForm(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::vector<std::string> splitForms(std::string_view text) {
    std::vector<std::string> forms;
    for (std::size_t start = 0;;) {
        std::size_t end = text.find('\0', start);
        forms.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return forms;
        }
        start = end + 1;
    }
}

} // namespace

std::optional<MessageCatalog> MessageCatalog::parse(std::string_view bytes) {
    auto swapped = byteOrder(bytes);
    if (!swapped) {
        return std::nullopt;
    }
    WordReader words(bytes, *swapped);
    auto count = words.at(8);
    auto keys = words.at(12);
    auto texts = words.at(16);
    if (!count || !keys || !texts) {
        return std::nullopt;
    }
    MessageCatalog catalog;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto key = words.text(*keys, i);
        auto text = words.text(*texts, i);
        if (!key || !text) {
            return std::nullopt;
        }
        // The entry with the empty key is the catalogue's own header.
        if (key->empty()) {
            catalog.header_ = *text;
            if (auto rule = PluralRule::fromHeader(*text)) {
                catalog.pluralRule_ = *rule;
            }
        } else if (!firstForm(*text).empty()) {
            catalog.messages_.emplace(firstForm(*key), splitForms(*text));
        }
    }
    return catalog;
}

std::optional<MessageCatalog> MessageCatalog::load(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return std::nullopt;
    }
    std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    auto catalog = parse(bytes);
    if (!catalog) {
        Log::write("Damaged string table " + file.string());
    }
    return catalog;
}

const std::vector<std::string>* MessageCatalog::forms(std::string_view key) const {
    auto found = messages_.find(key);
    return found == messages_.end() ? nullptr : &found->second;
}

const std::string* MessageCatalog::find(std::string_view key) const {
    auto* texts = forms(key);
    return texts ? &texts->front() : nullptr;
}

const std::string* MessageCatalog::findCounted(std::string_view key, unsigned long count) const {
    auto* texts = forms(key);
    if (!texts) {
        return nullptr;
    }
    // A text with one form serves every count, as gettext's would.
    std::size_t form = texts->size() == 1 ? 0 : pluralRule_.formFor(count);
    return form < texts->size() && !(*texts)[form].empty() ? &(*texts)[form] : nullptr;
}

} // namespace florelle
