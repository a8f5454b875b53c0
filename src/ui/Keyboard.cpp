// SPDX-License-Identifier: GPL-3.0-or-later
#include "Keyboard.h"

#include "Window.h"
#include "foundation/NotificationCenter.h"
#include "graphics/Font.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <algorithm>
#include <cctype>

namespace florelle {

namespace {

constexpr double gap = 3;

TextInput* firstTextInput(const Window& window) {
    return dynamic_cast<TextInput*>(window.firstResponder().get());
}

} // namespace

Keyboard::Keyboard(const Rect& frame) : View(frame) {
    layoutKeys();
}

std::shared_ptr<Keyboard> Keyboard::of(const Window& window) {
    for (const auto& subview : window.subviews()) {
        if (auto keyboard = std::dynamic_pointer_cast<Keyboard>(subview)) {
            return keyboard;
        }
    }
    return nullptr;
}

double Keyboard::coveredHeight(const Window& window) {
    auto keyboard = of(window);
    return keyboard && keyboard->isUp() ? height : 0;
}

void Keyboard::followFirstResponder(Window& window) {
    auto* input = firstTextInput(window);
    auto keyboard = of(window);
    if (!input) {
        if (keyboard && keyboard->isUp()) {
            NotificationCenter::defaultCenter().post(willHideNotification, &window);
            keyboard->slide(false);
        }
        return;
    }
    if (!keyboard) {
        Rect area = window.bounds();
        keyboard = std::make_shared<Keyboard>(Rect(area.minX(), area.maxY(), area.width(), height));
        window.addSubview(keyboard);
    }
    keyboard->setType(input->keyboardType());
    window.bringSubviewToFront(keyboard.get());
    if (!keyboard->isUp()) {
        NotificationCenter::defaultCenter().post(willShowNotification, &window);
        keyboard->slide(true);
    }
}

void Keyboard::slide(bool up) {
    up_ = up;
    auto* owner = superview();
    if (!owner) {
        return;
    }
    Rect area = owner->bounds();
    Rect target(area.minX(), up ? area.maxY() - height : area.maxY(), area.width(), height);
    if (up) {
        setHidden(false);
    }
    std::weak_ptr<View> weakSelf = weak_from_this();
    View::animate(
        slideDuration, 0, AnimationCurve::easeInOut, [&] { setFrame(target); },
        [weakSelf, up](bool) {
            auto self = std::static_pointer_cast<Keyboard>(weakSelf.lock());
            if (self && !up && !self->up_) {
                self->setHidden(true);
            }
        });
}

void Keyboard::setType(KeyboardType type) {
    if (type == type_) {
        return;
    }
    type_ = type;
    shifted_ = false;
    layoutKeys();
    setNeedsDisplay();
}

void Keyboard::layoutKeys() {
    keys_.clear();
    pressed_ = -1;
    double width = bounds().width();
    if (type_ != KeyboardType::standard) {
        bool decimal = type_ == KeyboardType::decimalPad;
        double keyWidth = (width - 4 * gap) / 3;
        double keyHeight = (height - 5 * gap) / 4;
        const char* labels[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "0", "⌫"};
        for (int index = 0; index < 12; ++index) {
            if (index == 9 && !decimal) {
                continue;
            }
            Rect frame(gap + (index % 3) * (keyWidth + gap), gap + (index / 3) * (keyHeight + gap),
                       keyWidth, keyHeight);
            keys_.push_back(
                Key{frame, labels[index], index == 11 ? KeyKind::backspace : KeyKind::text});
        }
        return;
    }
    const char* rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    double keyWidth = (width - 11 * gap) / 10;
    double keyHeight = (height - 5 * gap) / 4;
    for (int row = 0; row < 3; ++row) {
        std::string letters = rows[row];
        double rowWidth = letters.size() * keyWidth + (letters.size() - 1) * gap;
        double x = (width - rowWidth) / 2;
        double y = gap + row * (keyHeight + gap);
        for (char letter : letters) {
            keys_.push_back(
                Key{Rect(x, y, keyWidth, keyHeight), std::string(1, letter), KeyKind::text});
            x += keyWidth + gap;
        }
    }
    double thirdRow = gap + 2 * (keyHeight + gap);
    double sideWidth = keyWidth * 1.3;
    keys_.push_back(Key{Rect(gap, thirdRow, sideWidth, keyHeight), "⇧", KeyKind::shift});
    keys_.push_back(Key{Rect(width - gap - sideWidth, thirdRow, sideWidth, keyHeight), "⌫",
                        KeyKind::backspace});
    double bottom = gap + 3 * (keyHeight + gap);
    double enterWidth = keyWidth * 2.5;
    keys_.push_back(
        Key{Rect(gap, bottom, width - 3 * gap - enterWidth, keyHeight), "space", KeyKind::space});
    keys_.push_back(Key{Rect(width - gap - enterWidth, bottom, enterWidth, keyHeight), "return",
                        KeyKind::enter});
}

const Keyboard::Key* Keyboard::keyLabelled(std::string_view label) const {
    auto found = std::find_if(keys_.begin(), keys_.end(),
                              [&](const Key& key) { return key.label == label; });
    return found == keys_.end() ? nullptr : &*found;
}

const Keyboard::Key* Keyboard::keyAt(Point point) const {
    for (const auto& key : keys_) {
        if (key.frame.insetBy(-gap / 2, -gap / 2).contains(point)) {
            return &key;
        }
    }
    return nullptr;
}

void Keyboard::touchesBegan(const Touches& touches, const Event&) {
    const Key* key = keyAt(touches.front()->locationInView(this));
    pressed_ = key ? static_cast<int>(key - keys_.data()) : -1;
    setNeedsDisplay();
}

void Keyboard::touchesEnded(const Touches& touches, const Event&) {
    const Key* key = keyAt(touches.front()->locationInView(this));
    pressed_ = -1;
    setNeedsDisplay();
    if (key) {
        press(*key);
    }
}

void Keyboard::touchesCancelled(const Touches&, const Event&) {
    pressed_ = -1;
    setNeedsDisplay();
}

void Keyboard::press(const Key& key) {
    if (key.kind == KeyKind::shift) {
        shifted_ = !shifted_;
        setNeedsDisplay();
        return;
    }
    auto* owner = window();
    auto input = owner ? owner->firstResponder() : nullptr;
    if (!input) {
        return;
    }
    switch (key.kind) {
    case KeyKind::text: {
        std::string text = key.label;
        if (shifted_) {
            std::transform(text.begin(), text.end(), text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            shifted_ = false;
            setNeedsDisplay();
        }
        input->insertText(text);
        break;
    }
    case KeyKind::space:
        input->insertText(" ");
        break;
    case KeyKind::enter:
        input->insertText("\n");
        break;
    case KeyKind::backspace:
        input->deleteBackward();
        break;
    case KeyKind::shift:
        break;
    }
}

void Keyboard::draw(GraphicsContext& context, const Rect&) {
    context.setFillColor(Color(0.82, 0.84, 0.87));
    context.fillRect(bounds());
    Font font = Font::systemFont(type_ != KeyboardType::standard ? 24 : 18);
    Font small = Font::systemFont(14);
    for (std::size_t index = 0; index < keys_.size(); ++index) {
        const Key& key = keys_[index];
        bool down = static_cast<int>(index) == pressed_ || (key.kind == KeyKind::shift && shifted_);
        Path shape;
        shape.addRoundedRect(key.frame, 5);
        context.setFillColor(down ? Color(0.67, 0.70, 0.75) : Color::white());
        context.fillPath(shape);
        context.setFillColor(Color::black());
        std::string label = key.label;
        if (shifted_ && key.kind == KeyKind::text) {
            std::transform(label.begin(), label.end(), label.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        }
        const Font& used = key.label.size() > 3 ? small : font;
        double lineHeight = used.lineHeight();
        Rect textArea(key.frame.minX(), key.frame.midY() - lineHeight / 2, key.frame.width(),
                      lineHeight);
        context.drawText(label, textArea, used, LineBreakMode::Clip, TextAlignment::Center, 1);
    }
}

} // namespace florelle
