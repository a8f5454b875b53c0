// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphics/Color.h"

namespace florelle {

// The label colours of the main screen for each of the three skins (0-2);
// other numbers get skin 0's.
struct SkinColors {
    Color todayLabel;  // the cloud's status text
    Color centerLabel; // the big number and its caption
    Color petalCaption;
    Color buttonTitle; // on the skin's "button_%d.png"

    static SkinColors forSkin(int skin);
};

} // namespace florelle
