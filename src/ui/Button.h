#pragma once

#include "Control.h"

#include <map>
#include <string>

namespace florelle {

// A push button: a control with a title for each state. A state without a
// title of its own shows the normal title. Drawing comes with the renderer.
class Button : public Control {
public:
    using Control::Control;

    // The state is a ControlState combination, such as
    // controlStateHighlighted | controlStateSelected.
    void setTitle(const std::string& title, unsigned state = controlStateNormal);
    std::string titleForState(unsigned state) const;
    // The title for the state the button is in now.
    std::string currentTitle() const { return titleForState(state()); }

private:
    std::map<unsigned, std::string> titles_;
};

} // namespace florelle
