// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinColors.h"

namespace florelle {

SkinColors SkinColors::forSkin(int skin) {
    switch (skin) {
    case 1:
        return {Color(0.929, 0.969, 0.890), Color(0.203, 0.200, 0.200, 0.9),
                Color(0.220, 0.239, 0.255, 0.8), Color::white()};
    case 2:
        return {Color(0.941, 0.980, 1.0), Color(0.196, 0.310, 0.522, 0.9),
                Color(0.196, 0.309, 0.521, 0.8), Color(0.039, 0.271, 0.471)};
    default:
        return {Color(0.941, 0.980, 1.0), Color(0.737, 0.275, 0.475, 0.9),
                Color(0.537, 0.067, 0.271, 0.8), Color::white()};
    }
}

} // namespace florelle
