// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/ScrollView.h"

#include <memory>
#include <vector>

namespace florelle {

class Button;
class ImageView;
class Label;
class TextView;
struct DayDetails;

// The panel under the calendar page's month: the legend of the marks with a
// sample of each, then the picked day's moods and symptoms (the first four
// of each, in catalogue order), its weight and temperature and its note,
// which can be read but not edited here. A day with nothing logged says so
// in one line instead.
class DayDetailsPanel : public ScrollView {
public:
    static constexpr int shownPictures = 4;
    static constexpr double moveDuration = 0.5;

    DayDetailsPanel();

    void show(const DayDetails& details);
    // The diary could not be read: nothing is shown rather than a made-up
    // "nothing logged".
    void showNothing();
    // Right under a grid of that height: lower and with more to scroll
    // under a six-row month, animated.
    void placeUnderGrid(int gridHeight);

    const std::vector<std::shared_ptr<ImageView>>& moodImages() const { return moodsImgArray_; }
    const std::vector<std::shared_ptr<ImageView>>& symptomImages() const {
        return symptomsImgArray_;
    }
    Label& weightLbl() const { return *weightLbl_; }
    Label& tempLbl() const { return *tempLbl_; }
    TextView& textView() const { return *textView_; }
    Label& nothingLoggedLbl() const { return *nothingLoggedLbl_; }
    Button& infoBtn() const { return *infoBtn_; }

private:
    void buildLegend();
    void buildDetails();
    void showPictures(std::vector<std::shared_ptr<ImageView>>& shown,
                      const std::vector<std::string>& names, double y);
    void showDetails(bool shown);

    std::vector<std::shared_ptr<View>> details_;
    std::vector<std::shared_ptr<ImageView>> moodsImgArray_;
    std::vector<std::shared_ptr<ImageView>> symptomsImgArray_;
    std::shared_ptr<Label> weightLbl_;
    std::shared_ptr<Label> tempLbl_;
    std::shared_ptr<TextView> textView_;
    std::shared_ptr<Label> nothingLoggedLbl_;
    std::shared_ptr<Button> infoBtn_;
};

} // namespace florelle
