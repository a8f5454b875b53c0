// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageHelpOverlay.h"

#include "foundation/Strings.h"
#include "ui/Label.h"

namespace florelle {

namespace {

// Its top edge hides under the panel's bar.
const Rect parked{6, -34, 308, 330};
constexpr double firstParagraphY = 48;
constexpr double paragraphGap = 8;

} // namespace

PageHelpOverlay::PageHelpOverlay(const std::vector<const char*>& keys, double paragraphHeight)
    : Button(parked) {
    setBackgroundColor(Color(0.1, 0.12, 0.2, 0.9));
    setAlpha(0);
    onTouchUpInside = [this] { dismiss(); };
    double y = firstParagraphY;
    for (const char* key : keys) {
        auto label =
            Label::caption(Rect(14, y, 280, paragraphHeight), Font::systemFont(15), Color::white());
        label->setNumberOfLines(0);
        label->setText(Strings::localized(key));
        addSubview(label);
        y += paragraphHeight + paragraphGap;
    }
}

void PageHelpOverlay::show() {
    showing_ = true;
    if (View* page = superview()) {
        page->bringSubviewToFront(this);
    }
    View::animate(fadeDuration, [this] { setAlpha(1); });
}

void PageHelpOverlay::dismiss() {
    if (!showing_) {
        return;
    }
    showing_ = false;
    View::animate(fadeDuration, [this] { setAlpha(0); });
    if (onDismissed) {
        onDismissed();
    }
}

} // namespace florelle
