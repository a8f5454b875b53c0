// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SettingsListController.h"
#include "foundation/Timer.h"

#include <functional>
#include <memory>
#include <optional>

namespace florelle {

class ImageView;
class TouchForwardingView;

// The three skins, each a row with its icon and name. Choosing one applies
// it at once, checks its row and shows a preview of it over the list for a
// moment; a touch anywhere takes the preview away sooner.
class SkinController : public SettingsListController {
public:
    static constexpr int skinCount = 3;
    static constexpr double fadeInDuration = 0.5;
    static constexpr double fadeOutDuration = 0.2;
    static constexpr double previewSeconds = 2.0;

    // `setNewSkin` applies a chosen skin to the screens.
    explicit SkinController(std::function<void(int)> setNewSkin);
    ~SkinController() override;

    // Applies skin `skin` and shows its preview, as selecting its row does.
    void choose(int skin);
    // Fades the preview out and deselects the row.
    void hideImgView();
    bool imgViewVisible() const { return imgViewVisible_; }
    std::optional<int> checkedRow() const { return checkedRow_; }
    // Checks the row of `skin` alone, applying nothing.
    void checkRow(int skin);
    // Keeps the row that is selected.
    void reloadTable() override;

    TouchForwardingView& skinView();
    ImageView& skinImgView();

    int numberOfRowsInSection(TableView&, int) override { return skinCount; }
    std::shared_ptr<TableViewCell> cellForRow(TableView& table, IndexPath path) override;
    std::shared_ptr<View> viewForHeaderInSection(TableView&, int section) override;
    void didSelectRow(TableView& table, IndexPath path) override;

protected:
    void loadView() override;

private:
    std::function<void(int)> setNewSkin_;
    std::shared_ptr<TouchForwardingView> skinView_;
    std::shared_ptr<ImageView> skinImgView_;
    Timer hideViewTmr_;
    std::optional<int> checkedRow_;
    bool imgViewVisible_ = false;
};

} // namespace florelle
