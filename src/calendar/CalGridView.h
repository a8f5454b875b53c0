// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalGridViewDelegate.h"
#include "CalLogic.h"
#include "CalMonthView.h"
#include "ui/View.h"

#include <functional>
#include <memory>

namespace florelle {

class CalDataSource;

// The month on show as a grid of day tiles. It slides between months with
// two month views (the shown front one and the back one that comes in), and
// owns the selection, the highlight of dim days and the touch rules:
// - touch-down or move on a day of the month picks it at once, and reports
//   it as a touch pick each time, the same day again included;
// - touch-down or move on a day of an adjacent month highlights it; lifting
//   the finger there moves to that month and selects the same day there;
// - shaded days are never picked or highlighted by touch.
class CalGridView : public View {
public:
    static constexpr double slideDuration = 0.5;
    enum class SlideDirection { none = 0, up = 1, down = 2 };

    CalGridView(Rect frame, std::shared_ptr<CalLogic> logic,
                std::weak_ptr<CalGridViewDelegate> delegate);

    // Slides (or, with none, jumps) to the month the logic is on now; then
    // day 1 of that month is selected, not by touch.
    void slide(SlideDirection direction);
    void slideUp() { slide(SlideDirection::up); }
    void slideDown() { slide(SlideDirection::down); }
    void jumpToSelectedMonth() { slide(SlideDirection::none); }

    // Selects the tile of the day if the month on show has it, not by touch.
    // Returns false when the day is not on show.
    bool selectDate(const CalDate& date);
    const std::shared_ptr<CalTileView>& selectedTile() const { return selectedTile_; }
    const std::shared_ptr<CalTileView>& highlightedTile() const { return highlightedTile_; }
    bool isTransitioning() const { return transitioning_; }

    // Sets the marks and the shading of the shown month from the data
    // source, for the logic's span.
    void applyMarks(CalDataSource& dataSource);

    const std::shared_ptr<CalMonthView>& frontMonthView() const { return frontMonthView_; }
    const std::shared_ptr<CalMonthView>& backMonthView() const { return backMonthView_; }

    // Called whenever the grid's frame changed, inside the slide's animation.
    std::function<void()> onFrameChanged;

    void draw(GraphicsContext& context, const Rect& dirty) override;
    void touchesBegan(const Touches& touches, const Event& event) override;
    void touchesMoved(const Touches& touches, const Event& event) override;
    void touchesEnded(const Touches& touches, const Event& event) override;
    void touchesCancelled(const Touches& touches, const Event& event) override;

private:
    void setSelectedTile(const std::shared_ptr<CalTileView>& tile, bool byTouch);
    void setHighlightedTile(const std::shared_ptr<CalTileView>& tile);
    std::shared_ptr<CalTileView> tileUnder(const Touch& touch) const;
    void touchedTile(const std::shared_ptr<CalTileView>& tile);
    void finishSlide(const std::shared_ptr<CalMonthView>& outgoing);

    std::shared_ptr<CalLogic> logic_;
    std::weak_ptr<CalGridViewDelegate> delegate_;
    std::shared_ptr<CalMonthView> frontMonthView_;
    std::shared_ptr<CalMonthView> backMonthView_;
    std::shared_ptr<CalTileView> selectedTile_;
    std::shared_ptr<CalTileView> highlightedTile_;
    bool transitioning_ = false;
};

} // namespace florelle
