// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace florelle {

// A text to show, before it is looked up in the string table: a pattern
// ("%@ %d %@!") and its arguments, each a localisation key ("Period is Key"),
// a number, or a counted key whose text takes the plural form of its count
// ("days Late Key" for 1: "day late"). The rules decide the text; the screen
// looks it up.
class LocalizedText {
public:
    struct CountedKey {
        std::string key;
        int count = 0;
        bool operator==(const CountedKey&) const = default;
    };
    using Argument = std::variant<std::string, int, CountedKey>;
    // The text of a key, in the form `count` takes when it is counted.
    using Lookup = std::function<std::string(std::string_view key, std::optional<int> count)>;

    LocalizedText() = default;
    LocalizedText(std::string pattern, std::vector<Argument> arguments);
    // The looked-up key alone.
    static LocalizedText key(std::string key);
    // The counted key alone.
    static LocalizedText counted(std::string key, int count);
    // The number as "%d" writes it.
    static LocalizedText number(int value);

    const std::string& pattern() const { return pattern_; }
    const std::vector<Argument>& arguments() const { return arguments_; }
    bool empty() const { return pattern_.empty(); }

    // The final text: every key replaced by what `lookup` gives for it.
    std::string resolve(const Lookup& lookup) const;
    // The same in the user's language, from the string table.
    std::string resolve() const;

    bool operator==(const LocalizedText&) const = default;

private:
    std::string pattern_;
    std::vector<Argument> arguments_;
};

} // namespace florelle
