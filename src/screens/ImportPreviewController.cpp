// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportPreviewController.h"

#include "MainPage.h"
#include "calendar/CalDateFormatter.h"
#include "foundation/Strings.h"
#include "import/ImportDays.h"
#include "ui/Button.h"
#include "ui/TextView.h"

namespace florelle {

namespace {

constexpr double fontSize = 15;
constexpr double margin = 10;
constexpr double buttonHeight = 40;

std::string span(const ImportedPeriod& period, const Calendar& calendar,
                 const CalDateFormatter& format) {
    std::string first = format.stringFromDate(ImportDays::localMidnight(period.first, calendar));
    if (period.first == period.last) {
        return first;
    }
    return first + " – " + format.stringFromDate(ImportDays::localMidnight(period.last, calendar));
}

const char* reasonKey(ImportMerge::SkipReason reason) {
    return reason == ImportMerge::SkipReason::afterToday ? "Import skipped after today Key"
                                                         : "Import skipped overlap Key";
}

} // namespace

ImportPreviewController::ImportPreviewController(std::string file, const ImportPlan& plan,
                                                 const ImportMerge::Outcome& preview,
                                                 std::function<void()> confirmed)
    : text_(previewText(file, plan, preview, Calendar::current())),
      anythingToAdd_(!preview.added.empty() || preview.daysChanged > 0),
      confirmed_(std::move(confirmed)) {}

std::string ImportPreviewController::previewText(const std::string& file, const ImportPlan& plan,
                                                 const ImportMerge::Outcome& preview,
                                                 const Calendar& calendar) {
    CalDateFormatter format(CalDateFormatter::Style::medium);
    std::string text =
        Strings::localizedFormat("Import from file Key", importFormatTitle(plan.format), file) +
        "\n\n" +
        Strings::localizedFormat("Import periods to add Key",
                                 static_cast<int>(preview.added.size())) +
        "\n";
    for (const auto& period : preview.added) {
        text += "  " + span(period, calendar, format) + "\n";
    }
    if (!preview.skipped.empty()) {
        text += "\n" +
                Strings::localizedFormat("Import periods skipped Key",
                                         static_cast<int>(preview.skipped.size())) +
                "\n";
        for (const auto& skip : preview.skipped) {
            text += "  " + span(skip.period, calendar, format) + ": " +
                    Strings::localized(reasonKey(skip.reason)) + "\n";
        }
    }
    text += "\n" + Strings::localizedFormat("Import days gaining entries Key", preview.daysChanged);
    if (preview.notesKept > 0) {
        text += "\n" + Strings::localizedFormat("Import notes kept Key", preview.notesKept);
    }
    return text;
}

void ImportPreviewController::viewDidLoad() {
    view()->setBackgroundColor(Color::white());
    double width = screenWidth - 2 * margin;
    double buttonY = MainPage::visibleHeight - buttonHeight - margin;
    textView_ = std::make_shared<TextView>(Rect(0, 0, screenWidth, buttonY - margin));
    textView_->setEditable(false);
    textView_->setBackgroundColor(Color::white());
    textView_->setFont(Font::systemFont(fontSize));
    textView_->setText(text_);
    view()->addSubview(textView_);

    importButton_ = std::make_shared<Button>(Rect(margin, buttonY, width, buttonHeight));
    importButton_->setTitle(
        Strings::localized(anythingToAdd_ ? "Import Key" : "Nothing to import Key"));
    importButton_->setTitleFont(Font::boldSystemFont(fontSize));
    importButton_->setTitleColor(Color::white());
    importButton_->setBackgroundColor(anythingToAdd_ ? Color(0.84, 0.33, 0.48) : Color::gray());
    importButton_->setEnabled(anythingToAdd_);
    std::weak_ptr<ImportPreviewController> self =
        std::static_pointer_cast<ImportPreviewController>(shared_from_this());
    importButton_->onTouchUpInside = [self] {
        if (auto preview = self.lock()) {
            preview->importClicked();
        }
    };
    view()->addSubview(importButton_);
}

void ImportPreviewController::importClicked() {
    // Stored once: a second tap while the screen slides away does nothing.
    if (auto confirmed = std::exchange(confirmed_, nullptr)) {
        confirmed();
    }
}

} // namespace florelle
