// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ImportMerge.h"
#include "import/ImportPlan.h"
#include "ui/ViewController.h"

#include <functional>
#include <memory>
#include <string>

namespace florelle {

class Button;
class TextView;

// What an import from another app will add to the diary and what it skips,
// shown before anything is stored. "Import" stores it; the main screen's
// back button leaves without storing.
class ImportPreviewController : public ViewController {
public:
    ImportPreviewController(std::string file, const ImportPlan& plan,
                            const ImportMerge::Outcome& preview, std::function<void()> confirmed);

    // The preview in her language: the file, the periods to add with their
    // days, those skipped and why, and how many days' logs gain entries.
    static std::string previewText(const std::string& file, const ImportPlan& plan,
                                   const ImportMerge::Outcome& preview, const Calendar& calendar);

    void viewDidLoad() override;
    void importClicked();

    TextView& textView() const { return *textView_; }
    Button& importButton() const { return *importButton_; }

private:
    std::string text_;
    bool anythingToAdd_;
    std::function<void()> confirmed_;
    std::shared_ptr<TextView> textView_;
    std::shared_ptr<Button> importButton_;
};

} // namespace florelle
