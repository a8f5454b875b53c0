// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphBasicView.h"

#include <map>
#include <string>
#include <vector>

namespace florelle {

// The legend: for every section, from the right edge leftwards 15 points
// apart, the section's picture and its name in white, reading along the
// item axis.
class GraphLegend : public GraphBasicView {
public:
    using GraphBasicView::GraphBasicView;

    void setSectionNames(std::vector<std::string> names) { sectionNames_ = std::move(names); }
    const std::vector<std::string>& sectionNames() const { return sectionNames_; }
    // Section name to the name of its legend picture.
    void setImageNames(std::map<std::string, std::string> names) { imageNames_ = std::move(names); }
    const std::map<std::string, std::string>& imageNames() const { return imageNames_; }

    // Where the k-th section's entry stands across the legend.
    double entryX(int index) const;

    void draw(GraphicsContext& context, const Rect& dirty) override;

private:
    std::vector<std::string> sectionNames_;
    std::map<std::string, std::string> imageNames_;
};

} // namespace florelle
