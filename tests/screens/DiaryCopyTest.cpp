// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "screens/DiaryCopyFlow.h"
#include "screens/FolderPickerController.h"
#include "screens/SettingsGlobalController.h"
#include "screens/SettingsGroupsController.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/LocalDays.h"
#include "ui/AlertView.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"

#include <fstream>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// The settings page of 1 March 2026 with one period logged, on a desktop
// without a file chooser: copies are picked in our own picker.
class DiaryCopyTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 2), localDate(2026, 2, 6)));
        launch(localDate(2026, 3, 1, 12));
        openPetal(MainPageKind::settings);
    }

    SettingsGlobalController& settings() const {
        return dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
    }
    // Taps the row "Backup and restore", then the alert's button.
    void choose(int button) {
        TableView& list = *settings().settingsGroupsController().tableView();
        list.scrollToRow({0, 5}, false);
        Rect row = list.rectForRow({0, 5});
        host().tap(list.convertPointToWindow({row.midX(), row.midY()}));
        host().advance(1);
        ASSERT_TRUE(alert());
        EXPECT_EQ(alert()->title(), t("Backup and restore Key"));
        tapView(*alert()->button(button));
    }
    AlertView* alert() const {
        auto* flow = settings().diaryCopyFlow();
        return flow ? flow->alert() : nullptr;
    }
    FolderPickerController* picker() const { return pickerOver(settings()); }
    void tapFile(const std::string& name) {
        auto& files = picker()->files();
        auto found = std::find(files.begin(), files.end(), name);
        ASSERT_NE(found, files.end()) << name;
        int row = static_cast<int>(picker()->subfolders().size() + (found - files.begin())) + 1;
        tapView(*picker()->tableView()->cellForRow({0, row}));
    }
    // The alert's message, then OK taps it away.
    std::string told() {
        EXPECT_TRUE(alert());
        if (!alert()) {
            return "";
        }
        std::string message = alert()->message();
        tapView(*alert()->button(0));
        return message;
    }
    static std::vector<std::string> starts() { return DC::getStartDates().value(); }
    bool rowSelected() const {
        return settings().settingsGroupsController().tableView()->indexPathForSelectedRow() !=
               std::nullopt;
    }

    TempDirectory folder_;
    EnvironmentGuard noBus_{"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"};
};

TEST_F(DiaryCopyTest, ACopySavedFromSettingsIsPutBackAndAForeignFileIsRefused) {
    choose(1); // Save a copy…
    ASSERT_TRUE(picker());
    picker()->showFolder(folder_.path());
    keepScreenshot("backup-folder-picker");
    tapView(*dynamic_cast<NavigationController*>(picker()->navigationController())
                 ->navigationBar()
                 ->rightButton());
    auto copy = folder_.path() / "Florelle-2026-03-01.db";
    EXPECT_EQ(told(), Strings::localizedFormat("Copy saved Key", copy.string()));
    EXPECT_FALSE(settings().modalViewController());
    EXPECT_FALSE(rowSelected());
    ASSERT_TRUE(std::filesystem::exists(copy));

    // The diary moves on, then the copy is put back.
    ASSERT_TRUE(DC::saveLog(localDate(2026, 2, 27), localDate(2026, 2, 28)));
    auto before = starts();
    std::ofstream(folder_.path() / "notes.db") << "not a diary";
    choose(2); // Restore from a copy…
    ASSERT_TRUE(picker());
    picker()->showFolder(folder_.path());
    EXPECT_EQ(picker()->files(), (std::vector<std::string>{"Florelle-2026-03-01.db", "notes.db"}));
    tapFile("notes.db");
    ASSERT_TRUE(alert());
    tapView(*alert()->button(1)); // Restore
    EXPECT_TRUE(told().starts_with((folder_.path() / "notes.db").string()));
    EXPECT_EQ(starts(), before) << "a refused copy leaves the diary";

    int changesBefore = diaryChanges();
    choose(2);
    picker()->showFolder(folder_.path());
    tapFile("Florelle-2026-03-01.db");
    ASSERT_TRUE(alert());
    EXPECT_EQ(alert()->message(), Strings::localizedFormat("Restore the copy? Key", copy.string()));
    tapView(*alert()->button(1));
    EXPECT_EQ(told(), Strings::localizedFormat("Diary restored Key", copy.string()));
    EXPECT_EQ(starts().size(), before.size() - 1) << "the later period is gone";
    EXPECT_GT(diaryChanges(), changesBefore) << "every page is told";
    EXPECT_TRUE(
        std::filesystem::exists(SQLiteAccess::pathToDB()->parent_path() / "period-2026-03-01.db"));
    EXPECT_FALSE(rowSelected());

    // Cancelling at any step leaves everything as it was.
    choose(2);
    ASSERT_TRUE(picker());
    tapView(*dynamic_cast<NavigationController*>(picker()->navigationController())
                 ->navigationBar()
                 ->leftButton());
    EXPECT_FALSE(settings().modalViewController());
    EXPECT_FALSE(alert());
    EXPECT_FALSE(rowSelected());
}

} // namespace
