// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace florelle {

class PickerView;
class View;

// What a picker's rows show and what the user picked. A row shows its view
// when the delegate gives one, else its title. Empty optionals leave the
// picker's own sizes: wheels share the width, rows are 44 points high.
class PickerViewDelegate {
public:
    virtual ~PickerViewDelegate() = default;
    virtual std::string titleForRow(PickerView&, int /*row*/, int /*component*/) { return {}; }
    virtual std::shared_ptr<View> viewForRow(PickerView&, int /*row*/, int /*component*/) {
        return nullptr;
    }
    virtual std::optional<double> widthForComponent(PickerView&, int) { return std::nullopt; }
    virtual std::optional<double> rowHeightForComponent(PickerView&, int) { return std::nullopt; }
    // A wheel came to rest on a row other than the one picked before.
    virtual void didSelectRow(PickerView&, int /*row*/, int /*component*/) {}
};

} // namespace florelle
