#pragma once

#include "ui/Control.h"

#include <string>

namespace florelle {

// A month arrow of the calendar header: a control that shows its picture
// centred and reports a tap through onTouchUpInside.
class CalArrowButton : public Control {
public:
    CalArrowButton(Rect frame, std::string imageName);

    const std::string& imageName() const { return imageName_; }
    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    std::string imageName_;
};

} // namespace florelle
