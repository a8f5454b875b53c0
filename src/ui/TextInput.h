#pragma once

#include <string_view>

namespace florelle {

enum class KeyboardType { standard, numberPad };

// A view that takes typed text while it is its window's first responder.
// The on-screen keyboard and the host's physical keyboard both type through
// this: text as UTF-8 (a return key types "\n"), and backspace as
// deleteBackward.
class TextInput {
public:
    virtual ~TextInput() = default;

    virtual void insertText(std::string_view text) = 0;
    virtual void deleteBackward() = 0;
    // Which on-screen keyboard it wants.
    virtual KeyboardType keyboardType() const { return KeyboardType::standard; }

    // The window made it first responder, or took that away.
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}
};

} // namespace florelle
