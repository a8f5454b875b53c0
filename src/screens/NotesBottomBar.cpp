// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/NotesBottomBar.h"

#include "graphics/Image.h"
#include "ui/ImageView.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double firstX = 15;
constexpr double step = 50;
constexpr double side = 40;
constexpr double moveDuration = 0.4;
constexpr double fadeDuration = 0.3;

} // namespace

NotesBottomBar::NotesBottomBar(const Rect& frame) : View(frame) {
    setBackgroundColor(Color(1, 1, 1, 0.85));
    setClipsToBounds(true);
}

void NotesBottomBar::showPictures(const std::map<int, std::string>& pictures) {
    // Pictures already on show move to their new places, new ones fade in at
    // theirs, and those pushed out at the left fade away.
    std::vector<Shown> laidOut;
    int hidden = std::max(0, static_cast<int>(pictures.size()) - visibleCount);
    int index = 0;
    for (const auto& [key, name] : pictures) {
        Rect place(firstX + step * (index - hidden), (bounds().height() - side) / 2, side, side);
        auto kept = std::find_if(shown_.begin(), shown_.end(), [&](const Shown& picture) {
            return picture.key == key && picture.name == name;
        });
        std::shared_ptr<ImageView> view;
        if (kept != shown_.end()) {
            view = kept->view;
            shown_.erase(kept);
            View::animate(moveDuration, [&] { view->setFrame(place); });
        } else {
            view = std::make_shared<ImageView>(Image::named(name));
            view->setFrame(place);
            view->setAlpha(0);
            view->setTag(key);
            addSubview(view);
        }
        double alpha = index < hidden ? 0 : 1;
        View::animate(fadeDuration, [&] { view->setAlpha(alpha); });
        laidOut.push_back({key, name, view});
        ++index;
    }
    for (Shown& gone : shown_) {
        gone.view->removeFromSuperview();
    }
    shown_ = std::move(laidOut);
}

std::vector<std::string> NotesBottomBar::visiblePictures() const {
    std::vector<std::string> names;
    for (const Shown& picture : shown_) {
        if (picture.view->alpha() > 0) {
            names.push_back(picture.name);
        }
    }
    return names;
}

} // namespace florelle
