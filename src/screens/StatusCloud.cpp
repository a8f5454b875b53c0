// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusCloud.h"

#include "DisplayText.h"
#include "PetalTable.h"
#include "SkinColors.h"
#include "cycle/TodayStatus.h"
#include "graphics/TextLayout.h"
#include "ui/ImageView.h"
#include "ui/Label.h"

namespace florelle {

namespace {

const Rect pastLeftEdge{-265, -20, 265, 112};
const Rect pastRightEdge{320, -20, 265, 112};

} // namespace

StatusCloud::StatusCloud() : View(home()) {
    picture_ = std::make_shared<ImageView>(Rect(0, 0, 265, 112));
    addSubview(picture_);
    statusLabel_ = std::make_shared<Label>(Rect(20, 45, 225, 25));
    statusLabel_->setFont(displayFont(TodayStatus::cloudFont));
    statusLabel_->setTextColor(Color::black());
    statusLabel_->setTextAlignment(TextAlignment::Center);
    addSubview(statusLabel_);
}

void StatusCloud::setStatusText(const std::string& text) {
    statusLabel_->setText(text);
    double width = TextLayout(text, displayFont(TodayStatus::cloudFont)).size().width;
    TodayStatus::CloudLayout layout = TodayStatus::layoutCloud(width);
    statusLabel_->setFrame(Rect(layout.x, layout.y, layout.width, layout.height));
    statusLabel_->setNumberOfLines(layout.lines);
    statusLabel_->setLineBreakMode(layout.lines > 1 ? LineBreakMode::WordWrap
                                                    : LineBreakMode::TruncateTail);
}

void StatusCloud::setSkin(int skin) {
    picture_->setImage(Image::named(PetalTable::picture("cloud_%d.png", skin)));
    statusLabel_->setTextColor(SkinColors::forSkin(skin).todayLabel);
}

void StatusCloud::restartDrift() {
    setFrame(home());
    driftTimer_.invalidate();
    drift();
    driftTimer_ = Timer(driftSeconds, true, [this] { driftInAgain(); });
}

void StatusCloud::driftInAgain() {
    setFrame(pastRightEdge);
    drift();
}

void StatusCloud::drift() {
    View::animate(driftSeconds, 0, AnimationCurve::linear, [this] { setFrame(pastLeftEdge); });
}

} // namespace florelle
