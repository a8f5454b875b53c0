#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace florelle {

// One compiled gettext catalogue (a ".mo" file as msgfmt writes it): the
// texts of one language, found by their key. Entries without a translation
// are left out, so a caller can fall back to another language.
class MessageCatalog {
public:
    // Reads a catalogue file. A missing file gives std::nullopt quietly; a
    // damaged one gives std::nullopt and a log line.
    static std::optional<MessageCatalog> load(const std::filesystem::path& file);
    // The same from the file's bytes; std::nullopt when they are not a
    // catalogue or point outside themselves.
    static std::optional<MessageCatalog> parse(std::string_view bytes);

    // The text for the key, or nullptr when the catalogue has none.
    const std::string* find(std::string_view key) const;
    std::size_t size() const { return messages_.size(); }

private:
    std::map<std::string, std::string, std::less<>> messages_;
};

} // namespace florelle
