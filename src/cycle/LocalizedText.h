#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace florelle {

// A text to show, before it is looked up in the string table: a pattern
// ("%@ %d %@!") and its arguments, each a localisation key ("Period is Key")
// or a number. The rules decide the text; the screen looks it up.
class LocalizedText {
public:
    using Argument = std::variant<std::string, int>;

    LocalizedText() = default;
    LocalizedText(std::string pattern, std::vector<Argument> arguments);
    // The looked-up key alone.
    static LocalizedText key(std::string key);
    // The number as "%d" writes it.
    static LocalizedText number(int value);

    const std::string& pattern() const { return pattern_; }
    const std::vector<Argument>& arguments() const { return arguments_; }
    bool empty() const { return pattern_.empty(); }

    // The final text: every key replaced by what `lookup` gives for it.
    std::string resolve(const std::function<std::string(std::string_view)>& lookup) const;

    bool operator==(const LocalizedText&) const = default;

private:
    std::string pattern_;
    std::vector<Argument> arguments_;
};

} // namespace florelle
