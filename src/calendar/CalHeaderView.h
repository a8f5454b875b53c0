#pragma once

#include "CalArrowButton.h"
#include "ui/View.h"

#include <memory>
#include <string>
#include <vector>

namespace florelle {

// The calendar's header, 44 points high: the month title centred between
// the two month arrows, and under them the locale's short weekday names in
// seven 46-point columns starting with the locale's first weekday, so they
// stand over the matching grid columns.
class CalHeaderView : public View {
public:
    static constexpr double height = 44;

    explicit CalHeaderView(double width);

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    // Where the title stands: sized to fit, centred on whole points.
    Rect titleFrame() const;
    // The weekday names as shown, left to right.
    const std::vector<std::string>& weekdayNames() const { return weekdayNames_; }

    const std::shared_ptr<CalArrowButton>& leftArrow() const { return leftArrow_; }
    const std::shared_ptr<CalArrowButton>& rightArrow() const { return rightArrow_; }

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    std::string title_;
    std::vector<std::string> weekdayNames_;
    std::shared_ptr<CalArrowButton> leftArrow_;
    std::shared_ptr<CalArrowButton> rightArrow_;
};

} // namespace florelle
