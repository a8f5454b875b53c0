// SPDX-License-Identifier: GPL-3.0-or-later
#include "PluralRule.h"

#include <array>
#include <cctype>
#include <charconv>

namespace florelle {

namespace {

// Deeper nesting than any language needs is taken for a damaged header.
constexpr int deepestNesting = 32;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// The value after "name=" in "nplurals=2; plural=…;", up to its semicolon.
std::optional<std::string_view> field(std::string_view text, std::string_view name) {
    for (std::size_t at = text.find(name); at != std::string_view::npos;
         at = text.find(name, at + 1)) {
        bool starts = at == 0 || text[at - 1] == ';' ||
                      std::isspace(static_cast<unsigned char>(text[at - 1]));
        std::string_view rest = trimmed(text.substr(at + name.size()));
        if (starts && !rest.empty() && rest.front() == '=') {
            rest.remove_prefix(1);
            return trimmed(rest.substr(0, rest.find(';')));
        }
    }
    return std::nullopt;
}

} // namespace

// Recursive descent over the formula, adding nodes as it goes.
class PluralRule::Parser {
    struct Symbol {
        std::string_view text;
        Op op;
    };
    using Level = std::array<Symbol, 4>;
    static constexpr std::array<Level, 6> binaryLevels{{
        {{{"||", Op::either}}},
        {{{"&&", Op::both}}},
        {{{"==", Op::equal}, {"!=", Op::unequal}}},
        {{{"<=", Op::atMost}, {">=", Op::atLeast}, {"<", Op::below}, {">", Op::above}}},
        {{{"+", Op::plus}, {"-", Op::minus}}},
        {{{"*", Op::times}, {"/", Op::divided}, {"%", Op::remainder}}},
    }};

public:
    Parser(std::string_view text, std::vector<Node>& nodes) : text_(text), nodes_(nodes) {}

    std::optional<std::size_t> whole() {
        auto root = choice(0);
        skipSpace();
        return root && text_.empty() ? root : std::nullopt;
    }

private:
    std::optional<std::size_t> choice(int depth) {
        if (depth > deepestNesting) {
            return std::nullopt;
        }
        auto condition = binary(0, depth);
        if (!condition || !take("?")) {
            return condition;
        }
        auto ifTrue = choice(depth + 1);
        if (!ifTrue || !take(":")) {
            return std::nullopt;
        }
        auto ifFalse = choice(depth + 1);
        if (!ifFalse) {
            return std::nullopt;
        }
        return add({Op::choice, 0, *condition, *ifTrue, *ifFalse});
    }

    std::optional<std::size_t> binary(std::size_t level, int depth) {
        if (level == binaryLevels.size()) {
            return unary(depth);
        }
        auto left = binary(level + 1, depth);
        while (left) {
            auto op = takeOneOf(binaryLevels[level]);
            if (!op) {
                break;
            }
            auto right = binary(level + 1, depth);
            left = right ? add({*op, 0, *left, *right, 0}) : std::optional<std::size_t>();
        }
        return left;
    }

    std::optional<std::size_t> unary(int depth) {
        if (depth > deepestNesting) {
            return std::nullopt;
        }
        if (take("!")) {
            auto operand = unary(depth + 1);
            return operand ? add({Op::negation, 0, *operand, 0, 0}) : std::optional<std::size_t>();
        }
        if (take("(")) {
            auto inner = choice(depth + 1);
            return inner && take(")") ? inner : std::nullopt;
        }
        if (take("n")) {
            return add({Op::count, 0, 0, 0, 0});
        }
        skipSpace();
        unsigned long value = 0;
        auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), value);
        if (error != std::errc()) {
            return std::nullopt;
        }
        text_.remove_prefix(static_cast<std::size_t>(end - text_.data()));
        return add({Op::number, value, 0, 0, 0});
    }

    std::size_t add(Node node) {
        nodes_.push_back(node);
        return nodes_.size() - 1;
    }

    void skipSpace() { text_ = trimmed(text_); }

    bool take(std::string_view token) {
        skipSpace();
        if (!text_.starts_with(token)) {
            return false;
        }
        text_.remove_prefix(token.size());
        return true;
    }

    std::optional<Op> takeOneOf(const Level& symbols) {
        for (const Symbol& symbol : symbols) {
            if (!symbol.text.empty() && take(symbol.text)) {
                return symbol.op;
            }
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::vector<Node>& nodes_;
};

std::optional<PluralRule> PluralRule::fromHeader(std::string_view header) {
    constexpr std::string_view name = "Plural-Forms:";
    for (std::size_t start = 0; start < header.size();) {
        std::size_t end = header.find('\n', start);
        std::string_view line = header.substr(start, end - start);
        if (line.starts_with(name)) {
            return parse(line.substr(name.size()));
        }
        start = end == std::string_view::npos ? header.size() : end + 1;
    }
    return std::nullopt;
}

std::optional<PluralRule> PluralRule::parse(std::string_view text) {
    auto forms = field(text, "nplurals");
    auto formula = field(text, "plural");
    if (!forms || !formula) {
        return std::nullopt;
    }
    PluralRule rule;
    auto [end, error] =
        std::from_chars(forms->data(), forms->data() + forms->size(), rule.formCount_);
    if (error != std::errc() || end != forms->data() + forms->size() || rule.formCount_ == 0) {
        return std::nullopt;
    }
    if (!Parser(*formula, rule.nodes_).whole()) {
        return std::nullopt;
    }
    return rule;
}

PluralRule PluralRule::oneAndOther() {
    return *parse("nplurals=2; plural=(n != 1);");
}

std::size_t PluralRule::formFor(unsigned long count) const {
    unsigned long form = evaluate(nodes_.size() - 1, count);
    // gettext takes the first form when a formula points past the last.
    return form < formCount_ ? form : 0;
}

unsigned long PluralRule::evaluate(std::size_t index, unsigned long count) const {
    const Node& node = nodes_[index];
    switch (node.op) {
    case Op::number:
        return node.value;
    case Op::count:
        return count;
    case Op::negation:
        return evaluate(node.first, count) == 0;
    case Op::choice:
        return evaluate(node.first, count) != 0 ? evaluate(node.second, count)
                                                : evaluate(node.third, count);
    default:
        // Both sides are evaluated, as C does for all but && and ||; the
        // formula has no side effects, so the difference cannot show.
        return apply(node.op, evaluate(node.first, count), evaluate(node.second, count));
    }
}

unsigned long PluralRule::apply(Op op, unsigned long a, unsigned long b) {
    switch (op) {
    case Op::either:
        return a || b;
    case Op::both:
        return a && b;
    case Op::equal:
        return a == b;
    case Op::unequal:
        return a != b;
    case Op::atMost:
        return a <= b;
    case Op::atLeast:
        return a >= b;
    case Op::below:
        return a < b;
    case Op::above:
        return a > b;
    case Op::plus:
        return a + b;
    case Op::minus:
        return a - b;
    case Op::times:
        return a * b;
    // A damaged formula that divides by zero picks the first form, not a crash.
    case Op::divided:
        return b == 0 ? 0 : a / b;
    case Op::remainder:
        return b == 0 ? 0 : a % b;
    default:
        return 0;
    }
}

} // namespace florelle
