// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

// The decimal pad is the number pad with a decimal point in its free corner.
enum class KeyboardType { standard, numberPad, decimalPad };

// A view that edits text while it is its window's first responder. The
// on-screen keyboard and the host's physical keyboard both type into the
// first responder through Responder::insertText (UTF-8; the return key types
// "\n") and Responder::deleteBackward; this says which keyboard the view
// wants and tells it when it gains and loses the first responder.
class TextInput {
public:
    virtual ~TextInput() = default;

    // Which on-screen keyboard it wants.
    virtual KeyboardType keyboardType() const { return KeyboardType::standard; }

    // The window made it first responder, or took that away.
    virtual void didBecomeFirstResponder() {}
    virtual void didResignFirstResponder() {}
};

} // namespace florelle
