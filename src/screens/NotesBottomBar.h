// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/View.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

class ImageView;

// The strip along the daily log page's foot that shows the moods or the
// symptoms chosen for the day, one 40-point picture each, 50 points apart, in
// catalogue order. Six fit; with more, the last six are shown and the earlier
// ones slide out to the left.
class NotesBottomBar : public View {
public:
    static constexpr int visibleCount = 6;

    explicit NotesBottomBar(const Rect& frame);

    // Lays out the pictures of the map (catalogue key to picture name),
    // moving and fading them into place.
    void showPictures(const std::map<int, std::string>& pictures);
    // The names of the pictures on show, left to right.
    std::vector<std::string> visiblePictures() const;

private:
    struct Shown {
        int key;
        std::string name;
        std::shared_ptr<ImageView> view;
    };
    std::vector<Shown> shown_;
};

} // namespace florelle
