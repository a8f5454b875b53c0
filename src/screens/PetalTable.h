// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geometry/Geometry.h"

#include <array>
#include <string>

namespace florelle {

// The six pages a petal of the flower opens, in the order of the petals.
enum class MainPageKind { charts, notes, calendar, summary, forum, settings };

// One petal of the flower: where it sits, what it is called, which pictures
// it shows and how it moves when held and opened.
struct PetalRow {
    int number; // 1…6; its view's tag is number × 100
    MainPageKind page;
    Rect frame; // in the flower's coordinates
    const char* captionKey;
    Point captionAnchor;         // centre x and top y of the caption
    const char* normalPicture;   // pattern with the skin number
    const char* selectedPicture; // pattern with the skin number
    Point holdShift;             // how far a held petal moves outward
    Point openTarget;            // added to half the main view's origin
    double pageX;                // the page's offset on the strip
    const char* titleKey;
    const char* firstUseKey; // user default: the hint is still to show
    const char* analyticsEvent;

    int tag() const { return number * 100; }
    // Where the petal rests, and returns to after it opened.
    Point restingCenter() const;
    // Where the petal returns after its open animation; charts and settings
    // come back to points of their own.
    Point returnCenter() const;
};

class PetalTable {
public:
    static const std::array<PetalRow, 6>& rows();
    static const PetalRow& row(MainPageKind page);
    // The row of the petal numbered 1…6.
    static const PetalRow& numbered(int number);
    // The skin's picture name for a pattern such as "petal_charts_%d.png".
    static std::string picture(const char* pattern, int skin);
};

} // namespace florelle
