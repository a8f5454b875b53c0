// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle/TodayDisplay.h"

#include <memory>

namespace florelle {

class ImageView;
class Label;
class View;

// The flower's centre: the skin's disc, a shadow while a finger holds it, the
// big number and its caption, as today's status shows them.
class FlowerCenter {
public:
    // The disc, the shadow and the texts are added to `flower`.
    explicit FlowerCenter(View& flower);

    void setSkin(int skin);
    // What the display says about the centre; parts it leaves empty stay.
    void show(const TodayDisplay& display);
    // No number rather than a made-up one, when the diary cannot be read.
    void showUnreadable();
    void setHeld(bool held);

    ImageView& disc() const { return *disc_; }
    ImageView& shadow() const { return *shadow_; }
    Label& number() const { return *number_; }
    Label& caption() const { return *caption_; }

private:
    std::shared_ptr<ImageView> disc_;
    std::shared_ptr<ImageView> shadow_;
    std::shared_ptr<Label> number_;
    std::shared_ptr<Label> caption_;
    int skin_ = 0;
};

} // namespace florelle
