// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "cycle/PastPeriodEntry.h"
#include "screens/FolderPickerController.h"
#include "screens/ImportPreviewController.h"
#include "screens/SettingsGlobalController.h"
#include "screens/SettingsGroupsController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/TextView.h"
#include "ui/Window.h"

#include <cstdlib>
#include <fstream>

using namespace florelle;
using namespace florelle::testing;

namespace {

// Today is 1 March 2026 and a period was logged from 2 to 6 February.
// There is no desktop portal, so the import row opens our own picker.
class ImportFromAppTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        savedBus_ = bus ? std::optional<std::string>(bus) : std::nullopt;
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
        ASSERT_TRUE(DatabaseController::saveLog(localDate(2026, 2, 2), localDate(2026, 2, 6)));
        launch(localDate(2026, 3, 1, 12));
        openPetal(MainPageKind::settings);
    }
    void TearDown() override {
        savedBus_ ? ::setenv("DBUS_SESSION_BUS_ADDRESS", savedBus_->c_str(), 1)
                  : ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        MainScreenTest::TearDown();
    }
    SettingsGlobalController& settings() const {
        return dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
    }
    ViewController* top() const { return settings().navController().topViewController(); }
    std::shared_ptr<AlertView> shownAlert() const {
        std::shared_ptr<AlertView> shown;
        for (const auto& view : main().view()->window()->subviews()) {
            if (auto alert = std::dynamic_pointer_cast<AlertView>(view);
                alert && alert->isVisible()) {
                shown = alert;
            }
        }
        return shown;
    }
    // Taps the import row; our picker comes up in a sheet.
    FolderPickerController* openPicker() {
        TableView& list = *settings().settingsGroupsController().tableView();
        Rect row = list.rectForRow({0, 4});
        host().tap(list.convertPointToWindow({row.midX(), row.midY()}));
        host().advance(1);
        return pickerOver(settings());
    }
    // Picks the file in our picker and lets the preview slide in.
    void pickFile(const std::filesystem::path& file) {
        auto* picker = openPicker();
        ASSERT_TRUE(picker);
        picker->showFolder(file.parent_path());
        auto& files = picker->files();
        auto found = std::find(files.begin(), files.end(), file.filename().string());
        ASSERT_NE(found, files.end());
        int index = 1 + static_cast<int>(picker->subfolders().size() + (found - files.begin()));
        tapView(*picker->tableView()->cellForRow({0, index}), 2);
    }

    std::optional<std::string> savedBus_;
    TempDirectory files_;
};

} // namespace

// The preview names what will be added and skipped before anything is
// stored; "Import" stores it, tells the pages once and says what it added.
TEST_F(ImportFromAppTest, PreviewsTheFileThenStoresItOnImport) {
    auto file = files_.path() / "drip-export.csv";
    std::ofstream(file) << "date,temperature.value,bleeding.value,bleeding.exclude,note.value,"
                           "mood.happy,pain.cramps,pain.ovulationPain\n"
                           "2026-01-05,,2,false,,true,true,\n"
                           "2026-01-06,36.4,3,false,\"Heavy, tired\",,true,\n"
                           "2026-01-07,,1,false,,,,\n"
                           "2026-01-20,36.8,,,,,,true\n"
                           "2026-02-05,,2,false,,,,\n"
                           "2026-02-28,,1,false,,,,\n";
    std::filesystem::create_directory(files_.path() / "older");
    pickFile(file);

    auto* preview = dynamic_cast<ImportPreviewController*>(top());
    ASSERT_TRUE(preview);
    std::string text = preview->textView().text();
    EXPECT_NE(text.find(Strings::localizedFormat("Import periods to add Key", 2)),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(Strings::localizedFormat("Import periods skipped Key", 1)),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(t("Import skipped overlap Key")), std::string::npos) << text;
    EXPECT_NE(text.find(Strings::localizedFormat("Import days gaining entries Key", 3)),
              std::string::npos)
        << text;
    // Nothing is stored while she looks.
    EXPECT_EQ(PastPeriodEntry::loggedPeriods().value().size(), 1u);
    keepScreenshot("import-preview");

    int changesBefore = diaryChanges();
    tapView(preview->importButton());
    EXPECT_EQ(diaryChanges(), changesBefore + 1);
    EXPECT_EQ(PastPeriodEntry::loggedPeriods().value().size(), 3u);
    auto told = shownAlert();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->message(), Strings::localizedFormat("Imported Key", 2, 3));
    EXPECT_EQ(top(), &settings().settingsGroupsController());
}

// Our picker stands in a sheet with its folder's name and Cancel, which
// leaves the settings list as it was.
TEST_F(ImportFromAppTest, ThePickerSheetShowsItsFolderAndCancels) {
    auto* picker = openPicker();
    ASSERT_TRUE(picker);
    picker->showFolder(files_.path());
    auto& bar = *picker->navigationController()->navigationBar();
    EXPECT_TRUE(bar.window() && !bar.isHidden());
    EXPECT_EQ(bar.title(), files_.path().filename().string());
    ASSERT_TRUE(bar.leftButton());
    keepScreenshot("import-picker");
    tapView(*bar.leftButton());
    EXPECT_FALSE(settings().modalViewController());
    EXPECT_EQ(top(), &settings().settingsGroupsController());
    EXPECT_FALSE(settings().settingsGroupsController().tableView()->indexPathForSelectedRow());
}

// A malformed file is refused with its line, and nothing is stored.
TEST_F(ImportFromAppTest, AMalformedFileIsRefusedWithTheLine) {
    auto file = files_.path() / "periods.csv";
    std::ofstream(file) << "start,end\n2026-01-05,2026-01-09\n2026-01-40,2026-02-02\n";
    pickFile(file);
    auto told = shownAlert();
    ASSERT_TRUE(told);
    EXPECT_EQ(told->message(), Strings::localizedFormat("Cannot import Key", "periods.csv",
                                                        "line 3: not a date: 2026-01-40"));
    EXPECT_EQ(top(), &settings().settingsGroupsController());
    EXPECT_EQ(PastPeriodEntry::loggedPeriods().value().size(), 1u);
}
