// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace florelle {

class PickerView;

// How many wheels a picker has and how many rows each.
class PickerViewDataSource {
public:
    virtual ~PickerViewDataSource() = default;
    virtual int numberOfComponents(PickerView&) = 0;
    virtual int numberOfRowsInComponent(PickerView&, int component) = 0;
};

} // namespace florelle
