// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainHelpOverlay.h"

#include "foundation/Strings.h"
#include "ui/Label.h"

namespace florelle {

namespace {

constexpr const char* paragraphKeys[] = {"FirstLblInfoMainKey", "SecondLblInfoMainKey",
                                         "ThirdLblInfoMainKey"};

} // namespace

MainHelpOverlay::MainHelpOverlay() : TouchForwardingView(Rect(6, 6, 308, 448)) {
    onTouchEnded = [this](Point) { dismiss(); };
    setBackgroundColor(Color(0.1, 0.1, 0.15, 0.85));
    setAlpha(0);
    for (std::size_t i = 0; i < paragraphs_.size(); ++i) {
        auto label =
            std::make_shared<Label>(Rect(14, 20 + 140.0 * static_cast<double>(i), 280, 128));
        label->setFont(Font::boldSystemFont(15));
        label->setTextColor(Color::white());
        label->setTextAlignment(TextAlignment::Center);
        label->setNumberOfLines(0);
        label->setLineBreakMode(LineBreakMode::WordWrap);
        label->setText(Strings::localized(paragraphKeys[i]));
        addSubview(label);
        paragraphs_[i] = label;
    }
}

void MainHelpOverlay::show() {
    showing_ = true;
    View::animate(fadeSeconds, [this] { setAlpha(1); });
}

void MainHelpOverlay::dismiss() {
    View::animate(fadeSeconds, [this] { setAlpha(0); });
    fadedOut_ = Timer(fadeSeconds, false, [this] { showing_ = false; });
}

} // namespace florelle
