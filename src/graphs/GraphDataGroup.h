// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graphs/GraphDataItem.h"

#include <string>
#include <vector>

namespace florelle {

// One section of a chart: its name (shown in the legend) and its bars.
struct GraphDataGroup {
    std::string itemName;
    // Carried for the data source; the graph does not draw it.
    std::string imageName;
    std::vector<GraphDataItem> values;
};

} // namespace florelle
