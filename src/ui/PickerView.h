// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PickerViewDataSource.h"
#include "PickerViewDelegate.h"
#include "PickerWheel.h"
#include "View.h"

#include <memory>
#include <vector>

namespace florelle {

// A set of wheels side by side (components), each a column of rows the user
// turns to pick one. The delegate hears the row a wheel came to rest on
// after the user turned it; selectRow picks without telling it. The
// selection indicator is a bar across the middle row of every wheel.
class PickerView : public View {
public:
    static constexpr double defaultHeight = 216;
    static constexpr double defaultRowHeight = 44;
    static constexpr double margin = 10;
    static constexpr double wheelGap = 4;

    explicit PickerView(const Rect& frame);

    std::weak_ptr<PickerViewDataSource> dataSource;
    std::weak_ptr<PickerViewDelegate> delegate;

    // Asks the data source and delegate again; picked rows stay where they can.
    void reloadAllComponents();
    void reloadComponent(int component);

    int numberOfComponents() const { return static_cast<int>(wheels_.size()); }
    int numberOfRowsInComponent(int component) const;
    // -1 for a component that does not exist.
    int selectedRowInComponent(int component) const;
    void selectRow(int row, int component, bool animated);

    bool showsSelectionIndicator() const { return showsIndicator_; }
    void setShowsSelectionIndicator(bool shows);
    // The wheel of a component, for hosts and tests; empty if none.
    std::shared_ptr<PickerWheel> wheel(int component) const;

private:
    void fillWheel(int component);
    void layoutIndicator();

    std::vector<std::shared_ptr<PickerWheel>> wheels_;
    std::shared_ptr<View> indicator_;
    bool showsIndicator_ = false;
};

} // namespace florelle
