// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace florelle {

// One bar of a chart: its value in data units, the caption beside it, the
// picture stretched to draw it and the icon drawn next to it.
struct GraphDataItem {
    std::string valueName;
    std::string imageName;
    // Carried for the data source; the graph does not draw it.
    std::string legendImageName;
    std::string imageNameOver;
    float value = 0;

    bool operator==(const GraphDataItem&) const = default;
};

} // namespace florelle
