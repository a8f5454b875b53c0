#include "Button.h"

namespace florelle {

void Button::setTitle(const std::string& title, unsigned state) {
    auto found = titles_.find(state);
    if (found != titles_.end() && found->second == title) {
        return;
    }
    titles_[state] = title;
    setNeedsDisplay();
}

std::string Button::titleForState(unsigned state) const {
    if (auto found = titles_.find(state); found != titles_.end()) {
        return found->second;
    }
    if (auto normal = titles_.find(controlStateNormal); normal != titles_.end()) {
        return normal->second;
    }
    return {};
}

} // namespace florelle
