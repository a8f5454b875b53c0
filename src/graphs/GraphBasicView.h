// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphDataGroup.h"
#include "ui/View.h"

#include <vector>

namespace florelle {

// The common ground of the graph's drawing views: the sections to draw and
// the layout along the item axis (y), where every item takes a band of the
// bar thickness T = 24 × towerAdjustmentRatio plus gaps. Positions are whole
// points. The views have no background and draw over what lies beneath
// them, which shows between the bars.
class GraphBasicView : public View {
public:
    using View::View;

    static constexpr double baseThickness = 24;
    static constexpr int firstOffset = 5;
    static constexpr int itemGap = 3;

    void setUp(std::vector<GraphDataGroup> groups);
    const std::vector<GraphDataGroup>& graphDataItems() const { return groups_; }

    double towerAdjustmentRatio() const { return towerAdjustmentRatio_; }
    void setTowerAdjustmentRatio(double ratio) { towerAdjustmentRatio_ = ratio; }
    int towerAdjustment() const { return towerAdjustment_; }
    void setTowerAdjustment(int adjustment) { towerAdjustment_ = adjustment; }

    // The bar thickness T.
    double towerThickness() const;
    // Where section `index` of `total` starts; sets the step between items
    // so that the sections' bars interleave.
    int beginSection(int index, int total);
    // Where the item after the one at `position` starts.
    int advanceToNextItem(int position) const;
    // The extent along the item axis that holds every section, 2T beyond the
    // last item's start. A section with no item still takes 5 + 2T.
    int getTotalHeight();
    // Where the last item's band ends along the item axis (in the longest
    // section); the first offset when there is no item.
    int getItemsEnd();
    // Sets the height to getTotalHeight, keeping position and width.
    void updateSize();
    // The largest value of all items, never below 0.
    float getMaxValue() const;
    // The value on a scale where `maxValue` is `allowed` long. A length that
    // is 0, negative, infinite or not a number is drawn 1 point long.
    static double getScaledValue(double value, double maxValue, double allowed);

private:
    std::vector<GraphDataGroup> groups_;
    double towerAdjustmentRatio_ = 1;
    int towerAdjustment_ = 0;
    int step_ = 0;
};

} // namespace florelle
