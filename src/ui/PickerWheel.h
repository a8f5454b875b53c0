// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScrollView.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace florelle {

// One wheel of a picker: a column of rows that turns under the finger and
// always comes to rest with a row in the middle. A flick glides on and stops
// on the row nearest to where the glide would have ended; a tap on a row
// above or below the middle turns that row in.
class PickerWheel : public ScrollView {
public:
    static constexpr double turnDuration = 0.3;

    PickerWheel(const Rect& frame, double rowHeight);

    double rowHeight() const { return rowHeight_; }
    int numberOfRows() const { return static_cast<int>(titles_.size()); }
    // Sets the rows; each shows its view if it has one, else its title.
    void setRows(std::vector<std::string> titles, std::vector<std::shared_ptr<View>> views);

    // The row in the middle now (the nearest while turning).
    int rowInMiddle() const;
    int selectedRow() const { return selected_; }
    void selectRow(int row, bool animated);

    // Called when the wheel came to rest on a row the user turned to.
    std::function<void(int row)> onRowPicked;

    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void draw(GraphicsContext& context, const Rect& dirty) override;

protected:
    Point snapTarget(Point projected) const override;
    void scrollingDidSettle() override;

private:
    double middleInset() const;
    int clampedRow(int row) const;

    double rowHeight_;
    std::vector<std::string> titles_;
    std::vector<std::shared_ptr<View>> views_;
    int selected_ = 0;
    bool stoppedTurning_ = false;
};

} // namespace florelle
