// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextInput.h"
#include "View.h"

#include <string>
#include <vector>

namespace florelle {

class Window;

// The on-screen keyboard: 216 points high along the bottom of the window, a
// letter keyboard or a number pad by what the text input asks for. It slides
// in when a text input becomes its window's first responder and out when
// none is; the window sees to that. The keys type into the first responder
// on lift-off.
//
// Screens make room by observing the notifications, posted with the window
// as object just before the keyboard moves; `height` is how much it covers.
class Keyboard : public View {
public:
    static constexpr double height = 216;
    static constexpr double slideDuration = 0.25;
    static constexpr const char* willShowNotification = "KeyboardWillShowNotification";
    static constexpr const char* willHideNotification = "KeyboardWillHideNotification";

    enum class KeyKind { text, shift, backspace, enter, space };
    struct Key {
        Rect frame;
        std::string label;
        KeyKind kind;
    };

    explicit Keyboard(const Rect& frame);

    // Shows or hides the window's keyboard after its first responder changed.
    static void followFirstResponder(Window& window);
    // The keyboard of the window, if one was made.
    static std::shared_ptr<Keyboard> of(const Window& window);
    // The height the keyboard covers now: `height` while it is up, else 0.
    static double coveredHeight(const Window& window);

    KeyboardType type() const { return type_; }
    void setType(KeyboardType type);
    bool isUp() const { return up_; }
    bool isShifted() const { return shifted_; }
    const std::vector<Key>& keys() const { return keys_; }
    // The key with the label (letters in lower case), if any.
    const Key* keyLabelled(std::string_view label) const;

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    void layoutKeys();
    void slide(bool up);
    const Key* keyAt(Point point) const;
    void press(const Key& key);

    KeyboardType type_ = KeyboardType::standard;
    bool up_ = false;
    bool shifted_ = false;
    std::vector<Key> keys_;
    int pressed_ = -1;
};

} // namespace florelle
