// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "IndexPath.h"
#include "TableViewCell.h"

#include <memory>
#include <string>

namespace florelle {

class TableView;

// Supplies a table's sections, rows and cells, and carries out edits.
class TableViewDataSource {
public:
    virtual ~TableViewDataSource() = default;

    virtual int numberOfSections(TableView&) { return 1; }
    virtual int numberOfRowsInSection(TableView& table, int section) = 0;
    // A cell for the row; take one from dequeueReusableCell when there is one.
    virtual std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) = 0;
    // Empty: the section has no title.
    virtual std::string titleForHeaderInSection(TableView&, int) { return {}; }
    virtual bool canEditRow(TableView&, IndexPath) { return true; }
    // The user confirmed a delete, or tapped an insert control. The data
    // source changes its data and reloads the table.
    virtual void commitEditingStyle(TableView&, TableViewCell::EditingStyle, IndexPath) {}
};

} // namespace florelle
