// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "foundation/PluralRule.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// One compiled gettext catalogue (a ".mo" file as msgfmt writes it): the
// texts of one language, found by their key. Entries without a translation
// are left out, so a caller can fall back to another language. A counted
// entry (msgid_plural) holds one text per plural form of the language, chosen
// by the rule its header names (gettext's "n != 1" when it names none).
class MessageCatalog {
public:
    // Reads a catalogue file. A missing file gives std::nullopt quietly; a
    // damaged one gives std::nullopt and a log line.
    static std::optional<MessageCatalog> load(const std::filesystem::path& file);
    // The same from the file's bytes; std::nullopt when they are not a
    // catalogue or point outside themselves.
    static std::optional<MessageCatalog> parse(std::string_view bytes);

    // The text for the key (a counted entry's first form), or nullptr when
    // the catalogue has none.
    const std::string* find(std::string_view key) const;
    // The form the key's text takes for `count`, or nullptr when the
    // catalogue lacks it.
    const std::string* findCounted(std::string_view key, unsigned long count) const;
    // Every form of the key's text, or nullptr.
    const std::vector<std::string>* forms(std::string_view key) const;
    const PluralRule& pluralRule() const { return pluralRule_; }
    // The catalogue's own header ("Language: de\n…"), empty when it has none.
    const std::string& header() const { return header_; }
    std::size_t size() const { return messages_.size(); }

private:
    std::map<std::string, std::vector<std::string>, std::less<>> messages_;
    PluralRule pluralRule_ = PluralRule::oneAndOther();
    std::string header_;
};

} // namespace florelle
