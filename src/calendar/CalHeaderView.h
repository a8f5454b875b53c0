// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/View.h"

#include <memory>
#include <string>
#include <vector>

namespace florelle {

// The calendar's header, 44 points high on a grey backdrop: the month title
// centred between the two month arrows, and under them the locale's short
// weekday names in 46-point columns starting with the locale's first
// weekday, so that they stand over the matching grid columns.
class CalHeaderView : public View {
public:
    static constexpr double height = 44;

    explicit CalHeaderView(double width);

    // Shows the title, sized to fit and centred on whole points.
    void setTitle(const std::string& title);

    const std::shared_ptr<Label>& titleLabel() const { return titleLabel_; }
    const std::vector<std::shared_ptr<Label>>& weekdayLabels() const { return weekdayLabels_; }
    const std::shared_ptr<Button>& leftArrow() const { return leftArrow_; }
    const std::shared_ptr<Button>& rightArrow() const { return rightArrow_; }

private:
    std::shared_ptr<Button> makeArrow(double x, const char* imageName);

    std::shared_ptr<Label> titleLabel_;
    std::vector<std::shared_ptr<Label>> weekdayLabels_;
    std::shared_ptr<Button> leftArrow_;
    std::shared_ptr<Button> rightArrow_;
};

} // namespace florelle
