// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Button.h"
#include "Label.h"
#include "View.h"

#include <functional>
#include <memory>
#include <string>

namespace florelle {

class TableCellEditingControl;
class TableViewCellAccessory;

// One row of a table. Its parts, back to front: the background view, the
// selected background (shown while selected), the content view (which holds
// the text label and whatever a screen adds), the accessory at the right
// edge, and while editing the insert or delete control at the left edge and
// the delete confirmation button. Cells are reused: a table hands back a
// cell that scrolled away to the data source asking for one with the same
// reuse identifier.
class TableViewCell : public View {
public:
    enum class SelectionStyle { blue, gray, none };
    enum class Accessory { none, checkmark, disclosureIndicator };
    enum class EditingStyle { none, remove, insert };

    static constexpr double defaultHeight = 44;
    static constexpr double editingIndent = 32;
    static constexpr double accessoryWidth = 30;

    explicit TableViewCell(std::string reuseIdentifier);
    ~TableViewCell() override;

    const std::string& reuseIdentifier() const { return reuseIdentifier_; }
    const std::shared_ptr<View>& contentView() const { return contentView_; }
    // A label filling the content view, with a margin of 10 points.
    const std::shared_ptr<Label>& textLabel() const { return textLabel_; }

    const std::shared_ptr<View>& backgroundView() const { return backgroundView_; }
    void setBackgroundView(std::shared_ptr<View> view);
    const std::shared_ptr<View>& selectedBackgroundView() const { return selectedBackgroundView_; }
    void setSelectedBackgroundView(std::shared_ptr<View> view);

    SelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(SelectionStyle style);
    Accessory accessoryType() const { return accessory_; }
    void setAccessoryType(Accessory accessory);

    bool isSelected() const { return selected_; }
    // Animated, the selected background fades out (or in) over fadeDuration.
    void setSelected(bool selected, bool animated = false);
    static constexpr double fadeDuration = 0.3;

    bool isEditing() const { return editingStyle_ != EditingStyle::none; }
    EditingStyle editingStyle() const { return editingStyle_; }
    // Editing shows the control for the style; none ends editing.
    void setEditingStyle(EditingStyle style);
    bool showsDeleteConfirmation() const { return deleteButton_ != nullptr; }
    void setShowsDeleteConfirmation(bool shows);
    const std::shared_ptr<TableCellEditingControl>& editingControl() const { return editControl_; }
    const std::shared_ptr<Button>& deleteConfirmationButton() const { return deleteButton_; }

    // For the table: the editing control and the delete button were tapped.
    std::function<void()> onEditingControl;
    std::function<void()> onDeleteConfirmed;

    // Called before the table hands the cell out again; ends selection and editing.
    virtual void prepareForReuse();
    // Places the parts after the cell's size or editing changed.
    virtual void layoutParts();

private:
    void updateSelectionShown(bool animated);

    std::string reuseIdentifier_;
    std::shared_ptr<View> contentView_;
    std::shared_ptr<Label> textLabel_;
    std::shared_ptr<View> backgroundView_;
    std::shared_ptr<View> selectedBackgroundView_;
    std::shared_ptr<View> defaultSelection_;
    std::shared_ptr<TableViewCellAccessory> accessoryView_;
    std::shared_ptr<TableCellEditingControl> editControl_;
    std::shared_ptr<Button> deleteButton_;
    SelectionStyle selectionStyle_ = SelectionStyle::blue;
    Accessory accessory_ = Accessory::none;
    EditingStyle editingStyle_ = EditingStyle::none;
    bool selected_ = false;
};

} // namespace florelle
