// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileChooser.h"
#include "ui/AlertViewDelegate.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace florelle {

class AlertView;
class ViewController;

// The settings row "Backup and restore": she saves a copy of the diary into
// a folder, or puts a copy back in the diary's place, chosen in the
// desktop's file chooser where it runs, else in our own picker over
// `presenter`. The copies are those of the command line (DiaryCopies); a
// restored diary replans the reminders and tells every page. Each outcome
// is told in an alert, after which the settings list clears its row.
class DiaryCopyFlow : public AlertViewDelegate, public std::enable_shared_from_this<DiaryCopyFlow> {
public:
    DiaryCopyFlow(std::weak_ptr<ViewController> presenter, std::function<void()> finished);
    ~DiaryCopyFlow() override;

    // Offers "Save a copy…" and "Restore from a copy…".
    void start();
    void saveCopy();
    void restoreCopy();
    // A folder chosen for the copy; a copy chosen to restore, asked about first.
    void saveInto(const std::filesystem::path& folder);
    void confirmRestore(const std::filesystem::path& copy);

    // The alert shown now, if any.
    AlertView* alert() const { return alert_.get(); }

    void clickedButtonAtIndex(AlertView& alert, int index) override;

private:
    enum class Step { choice, confirmation, outcome };

    void ask(Step step, const std::string& message, const std::vector<std::string>& others);
    // `chosen` hears the path; nothing chosen ends the flow.
    void choose(FileChooser::Picks picks, std::function<void(std::filesystem::path)> chosen);
    void restoreFrom(const std::filesystem::path& copy);
    void finish();

    std::weak_ptr<ViewController> presenter_;
    std::function<void()> finished_;
    std::optional<FileChooser> chooser_;
    std::shared_ptr<AlertView> alert_;
    Step step_ = Step::choice;
    std::filesystem::path copy_;
};

} // namespace florelle
