// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphDataItem.h"

#include <string>
#include <vector>

namespace florelle {

class GraphViewController;

// What a graph asks of the screen that feeds it, on every refresh.
class GraphViewControllerDataSource {
public:
    virtual ~GraphViewControllerDataSource() = default;

    virtual int getNumberOfSections() = 0;
    virtual std::string getSectionNameForIndex(int index) = 0;
    // The name of the picture the legend shows beside the section's name.
    virtual std::string getSectionLegendNameForIndex(int index) = 0;
    virtual std::vector<GraphDataItem> getData(GraphViewController& graph, int section) = 0;
};

} // namespace florelle
