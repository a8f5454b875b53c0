// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayDetailsPanel.h"

#include "DayDetails.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/TextView.h"

namespace florelle {

namespace {

constexpr double width = 320;
constexpr double height = 160;
// Under a six-row month the panel sits lower and scrolls further, so that
// its foot can be brought into sight.
constexpr int sixRowsAbove = 230;
constexpr double shortTop = 265;
constexpr double tallTop = 310;
constexpr double tallContent = 205;

constexpr double pictureX = 188;
constexpr double pictureStep = 30;
constexpr double pictureSize = 22;
constexpr double moodsY = 25;
constexpr double symptomsY = 72;

const Color legendColor{0.56, 0.14, 0.40};
const Color detailsColor{0.07, 0.333, 0.545};
const Color noteColor{0.3, 0.3, 0.3};
const Color backing{1, 1, 1, 0.72};

std::shared_ptr<Label> caption(View& parent, const Rect& frame, const char* key, const Font& font,
                               const Color& color) {
    auto label = Label::caption(frame, font, color);
    if (key) {
        label->setText(Strings::localized(key));
    }
    parent.addSubview(label);
    return label;
}

} // namespace

DayDetailsPanel::DayDetailsPanel() : ScrollView(Rect(0, shortTop, width, height)) {
    setBackgroundColor(backing);
    setContentSize({width, height});
    buildLegend();
    buildDetails();
}

void DayDetailsPanel::buildLegend() {
    struct Sample {
        const char* key;
        const char* picture;
    };
    const Sample samples[] = {{"Period Key", "period.png"},
                              {"Fertile Key", "fertile_flower.png"},
                              {"Ovulation Key", "ovulation.png"},
                              {"Intimate Key", "intimate.png"}};
    // Side by side, each as wide as its caption in the language on show.
    double x = 6;
    for (const Sample& sample : samples) {
        auto picture = std::make_shared<ImageView>(Rect(x, 3, 16, 16));
        picture->setImage(Image::named(sample.picture));
        picture->setContentMode(ContentMode::scaleAspectFit);
        addSubview(picture);
        auto label = caption(*this, Rect(x + 18, 2, 0, 18), sample.key, Font::boldSystemFont(11),
                             legendColor);
        label->sizeToFit();
        label->setFrame(Rect(x + 18, 2, label->frame().width(), 18));
        x = label->frame().maxX() + 8;
    }
    infoBtn_ = std::make_shared<Button>(Rect(293, 0, 24, 22));
    infoBtn_->setTitle("i");
    infoBtn_->setTitleFont(Font::boldSystemFont(16));
    infoBtn_->setTitleColor(Color::white());
    infoBtn_->setBackgroundColor(detailsColor);
    addSubview(infoBtn_);
}

void DayDetailsPanel::buildDetails() {
    const Font font = Font::boldSystemFont(14);
    details_ = {
        caption(*this, Rect(10, moodsY, 170, pictureSize), "Moods Key", font, detailsColor),
        caption(*this, Rect(10, symptomsY, 170, pictureSize), "Symptoms Key", font, detailsColor),
        caption(*this, Rect(10, 48, 70, 22), "Weight Key", font, detailsColor),
        caption(*this, Rect(188, 48, 48, 22), "Temp Key", font, detailsColor),
        caption(*this, Rect(10, 96, 100, 18), "Note Key", font, detailsColor),
    };
    weightLbl_ = caption(*this, Rect(80, 48, 100, 22), nullptr, Font::systemFont(14), detailsColor);
    tempLbl_ = caption(*this, Rect(236, 48, 80, 22), nullptr, Font::systemFont(14), detailsColor);
    textView_ = std::make_shared<TextView>(Rect(2, 110, 316, height - 110));
    textView_->setEditable(false);
    textView_->setFont(Font::systemFont(14));
    textView_->setTextColor(noteColor);
    textView_->setBackgroundColor(Color::clear());
    addSubview(textView_);
    details_.insert(details_.end(), {weightLbl_, tempLbl_, textView_});

    nothingLoggedLbl_ = caption(*this, Rect(10, 40, 300, 40), "Nothing logged on this day Key",
                                Font::italicSystemFont(15), noteColor);
    nothingLoggedLbl_->setTextAlignment(TextAlignment::Center);
    nothingLoggedLbl_->setHidden(true);
}

void DayDetailsPanel::show(const DayDetails& details) {
    showPictures(moodsImgArray_, details.moodPictures, moodsY);
    showPictures(symptomsImgArray_, details.symptomPictures, symptomsY);
    weightLbl_->setText(details.weight);
    tempLbl_->setText(details.temperature);
    textView_->setText(details.note);
    textView_->setContentOffset({0, 0});
    showDetails(!details.isEmpty());
}

void DayDetailsPanel::showNothing() {
    show(DayDetails{});
    nothingLoggedLbl_->setHidden(true);
}

void DayDetailsPanel::showPictures(std::vector<std::shared_ptr<ImageView>>& shown,
                                   const std::vector<std::string>& names, double y) {
    for (const auto& image : shown) {
        image->removeFromSuperview();
    }
    shown.clear();
    for (std::size_t i = 0; i < names.size() && i < shownPictures; ++i) {
        auto image = std::make_shared<ImageView>(
            Rect(pictureX + pictureStep * double(i), y, pictureSize, pictureSize));
        image->setImage(Image::named(names[i]));
        addSubview(image);
        shown.push_back(image);
    }
}

void DayDetailsPanel::showDetails(bool shown) {
    for (const auto& view : details_) {
        view->setHidden(!shown);
    }
    nothingLoggedLbl_->setHidden(shown);
}

void DayDetailsPanel::placeUnderGrid(int gridHeight) {
    bool tall = gridHeight > sixRowsAbove;
    setContentSize({width, tall ? tallContent : height});
    View::animate(moveDuration, [this, tall] {
        Rect placed = frame();
        placed.origin.y = tall ? tallTop : shortTop;
        setFrame(placed);
    });
}

} // namespace florelle
