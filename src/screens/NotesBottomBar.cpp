#include "screens/NotesBottomBar.h"

#include "graphics/Image.h"
#include "ui/ImageView.h"

#include <algorithm>

namespace florelle {

namespace {

constexpr double firstX = 15;
constexpr double step = 50;
constexpr double side = 40;

} // namespace

NotesBottomBar::NotesBottomBar(const Rect& frame) : View(frame) {
    setBackgroundColor(Color(1, 1, 1, 0.85));
    setClipsToBounds(true);
}

void NotesBottomBar::showPictures(const std::map<int, std::string>& pictures) {
    for (Shown& picture : shown_) {
        picture.view->removeFromSuperview();
    }
    shown_.clear();
    int hidden = std::max(0, static_cast<int>(pictures.size()) - visibleCount);
    int index = 0;
    for (const auto& [key, name] : pictures) {
        auto view = std::make_shared<ImageView>(Image::named(name));
        double x = firstX + step * (index - hidden);
        view->setFrame(Rect(x, (bounds().height() - side) / 2, side, side));
        view->setAlpha(index < hidden ? 0 : 1);
        view->setTag(key);
        addSubview(view);
        shown_.push_back({name, view});
        ++index;
    }
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
