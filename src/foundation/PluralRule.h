// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace florelle {

// Which of a language's plural forms a count takes, as a gettext catalogue's
// header names it: "Plural-Forms: nplurals=2; plural=(n != 1);". The formula
// is the C expression gettext allows over n (?:, ||, &&, comparisons, + - * /
// %, !, parentheses), read once into a small tree.
class PluralRule {
public:
    // The rule of a catalogue header (its "Plural-Forms:" line); std::nullopt
    // when the header has none or it cannot be read.
    static std::optional<PluralRule> fromHeader(std::string_view header);
    // The rule of a "nplurals=…; plural=…;" text.
    static std::optional<PluralRule> parse(std::string_view text);
    // gettext's rule for a catalogue that names none: one form for 1, the
    // other for every other count.
    static PluralRule oneAndOther();

    // The index of the form for `count`; always below formCount().
    std::size_t formFor(unsigned long count) const;
    std::size_t formCount() const { return formCount_; }

private:
    enum class Op {
        number,
        count,
        negation,
        choice,
        either,
        both,
        equal,
        unequal,
        atMost,
        atLeast,
        below,
        above,
        plus,
        minus,
        times,
        divided,
        remainder
    };
    // One step of the formula; operands are indices of earlier nodes.
    struct Node {
        Op op = Op::number;
        unsigned long value = 0; // a number's value
        std::size_t first = 0, second = 0, third = 0;
    };
    class Parser;

    PluralRule() = default;
    unsigned long evaluate(std::size_t node, unsigned long count) const;
    static unsigned long apply(Op op, unsigned long a, unsigned long b);

    std::size_t formCount_ = 2;
    std::vector<Node> nodes_; // the root is the last
};

} // namespace florelle
