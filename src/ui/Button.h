// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Control.h"
#include "ControlStateTable.h"
#include "graphics/Font.h"
#include "graphics/Image.h"

#include <string>

namespace florelle {

// A push button: a control with a title, a title colour, a picture and a
// background picture for each state (a ControlState combination such as
// controlStateHighlighted | controlStateSelected). A state without a value of
// its own shows the normal state's; highlighted without a picture of its own
// shows the normal picture darkened, disabled shows it faded.
//
// Drawn: the background picture stretched over the bounds, then the picture
// and the title side by side, centred. Title font: bold system 15 points;
// title colour: white unless set.
class Button : public Control {
public:
    Button();
    explicit Button(const Rect& frame);

    void setTitle(const std::string& title, unsigned state = controlStateNormal);
    std::string titleForState(unsigned state) const;
    // The title for the state the button is in now.
    std::string currentTitle() const { return titleForState(state()); }

    void setTitleColor(const Color& color, unsigned state = controlStateNormal);
    Color titleColorForState(unsigned state) const;
    void setImage(const Image& image, unsigned state = controlStateNormal);
    Image imageForState(unsigned state) const;
    void setBackgroundImage(const Image& image, unsigned state = controlStateNormal);
    Image backgroundImageForState(unsigned state) const;

    const Font& titleFont() const { return titleFont_; }
    void setTitleFont(const Font& font);

    void draw(GraphicsContext& context, const Rect& dirty) override;
    std::string displayedText() const override { return currentTitle(); }

private:
    // Draws the picture for the current state, with the stand-in effects
    // when the state has none of its own.
    void drawPicture(GraphicsContext& context, const ControlStateTable<Image>& pictures,
                     const Rect& rect) const;

    ControlStateTable<std::string> titles_;
    ControlStateTable<Color> titleColors_;
    ControlStateTable<Image> images_;
    ControlStateTable<Image> backgroundImages_;
    Font titleFont_;
};

} // namespace florelle
