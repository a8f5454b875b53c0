// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Paths.h"
#include "screens/FolderPickerController.h"
#include "screens/MailComposeViewController.h"
#include "screens/ModalSheetController.h"
#include "screens/SettingsGlobalController.h"
#include "screens/SettingsGroupsController.h"
#include "storage/DatabaseController.h"
#include "support/LocalDays.h"
#include "ui/ActivityIndicator.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/TableView.h"
#include "ui/Window.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <thread>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

// Today is 1 March 2026; a period began on 27 February, and that day has a
// mood. There is no desktop portal: "Send" runs an xdg-email of the test's
// own, which writes its arguments beside itself.
class ReportMailTest : public MainScreenTest {
protected:
    void SetUp() override {
        MainScreenTest::SetUp();
        for (const char* name : {"PATH", "DBUS_SESSION_BUS_ADDRESS"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
        ::setenv("PATH", (bin_.path().string() + ":" + saved_[0].second.value_or("")).c_str(), 1);
        ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 2, 27)));
        ASSERT_TRUE(DC::saveUsedMood(1, DC::openDay(localDate(2026, 2, 27)).value()));
        launch(localDate(2026, 3, 1, 12));
        openPetal(MainPageKind::settings);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
        MainScreenTest::TearDown();
    }

    // With `gated`, the program waits (ten seconds at most) for the test
    // to call release() before it ends.
    void standInExits(int status, bool gated = false) {
        auto script = bin_.path() / "xdg-email";
        std::ofstream out(script);
        out << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
            << (bin_.path() / "arguments") << "\n";
        if (gated) {
            out << "for i in $(seq 200); do [ -e " << gate() << " ] && break; sleep 0.05; done\n";
        }
        out << "exit " << status << "\n";
        out.close();
        ::chmod(script.c_str(), 0755);
    }
    std::filesystem::path gate() const { return bin_.path() / "release"; }
    void release() const { std::ofstream(gate()).put('\n'); }
    std::vector<std::string> handedOver() const {
        std::ifstream in(bin_.path() / "arguments");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    SettingsGlobalController& settings() const {
        return dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
    }
    NavigationController* composerStack() const {
        auto* sheet = dynamic_cast<ModalSheetController*>(main().modalViewController());
        return sheet ? dynamic_cast<NavigationController*>(&sheet->content()) : nullptr;
    }
    MailComposeViewController* composer() const {
        auto* stack = composerStack();
        return stack ? dynamic_cast<MailComposeViewController*>(
                           stack->viewControllers().front().get())
                     : nullptr;
    }
    void tapBarButton(bool right) {
        auto& bar = *composerStack()->navigationBar();
        tapView(right ? *bar.rightButton() : *bar.leftButton());
    }
    // Lets the run loop hear the stand-in program end, in real time.
    void waitFor(const std::function<bool()>& done) {
        for (int round = 0; round < 200 && !done(); ++round) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            host().advance(0.05);
        }
        host().advance(1);
    }
    bool rowSelected() const {
        return settings()
            .settingsGroupsController()
            .tableView()
            ->indexPathForSelectedRow()
            .has_value();
    }
    std::filesystem::path report(const char* name) const {
        return Paths::documentsDirectory() / name;
    }

    TempDirectory bin_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(ReportMailTest, TheReportsAreWrittenUnderTheBusyVeilAndSentWithTheEmailProgram) {
    standInExits(0, true);
    // The settings list's row "Send by E-mail".
    TableView& list = *settings().settingsGroupsController().tableView();
    Rect row = list.rectForRow({0, 2});
    host().tap(list.convertPointToWindow({row.midX(), row.midY()}));
    EXPECT_EQ(main().bigTranspView().alpha(), 0.8);
    EXPECT_TRUE(main().indicatorView().isAnimating());
    host().advance(1);

    ASSERT_TRUE(composer());
    EXPECT_EQ(main().bigTranspView().alpha(), 0);
    EXPECT_FALSE(main().indicatorView().isAnimating());
    const auto cycle = report("Florelle-cycle.pdf");
    const auto moods = report("Florelle-moods-symptoms.pdf");
    ASSERT_EQ(composer()->attachments().size(), 2u);
    EXPECT_EQ(composer()->attachments()[0].file, cycle);
    EXPECT_EQ(composer()->attachments()[0].mimeType, "application/pdf");
    EXPECT_EQ(composer()->attachments()[1].file, moods);
    for (const auto& file : {cycle, moods}) {
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0) << file;
        EXPECT_EQ(status.st_mode & 07777, 0600u) << file;
    }
    keepScreenshot("mail-composer");

    tapBarButton(true);
    ASSERT_TRUE(composer());
    EXPECT_EQ(composer()->statusLabel().text(), t("Opening mail program Key"));
    release();
    waitFor([&] { return composerStack() == nullptr; });
    EXPECT_EQ(handedOver(), (std::vector<std::string>{"--utf8", "--attach", cycle.string(),
                                                      "--attach", moods.string()}));
    EXPECT_FALSE(composerStack());
    EXPECT_FALSE(rowSelected());
}

TEST_F(ReportMailTest, WithoutAnEmailProgramItSaysSoAndSavesTheFilesToAFolder) {
    standInExits(3);
    settings().makeFiles();
    host().advance(1);
    ASSERT_TRUE(composer());
    tapBarButton(true);
    waitFor([&] { return composer()->alert() != nullptr; });
    ASSERT_TRUE(composer()->alert());
    EXPECT_EQ(composer()->alert()->message(), t("No mail program Key"));
    EXPECT_EQ(composer()->statusLabel().text(), t("No mail program Key"));
    keepScreenshot("mail-no-program");

    // "Save to…" in the alert: our own folder picker, as there is no portal.
    tapView(*composer()->alert()->button(1));
    auto* picker = pickerOver(*composer());
    ASSERT_TRUE(picker);
    TempDirectory target;
    std::filesystem::create_directory(target.path() / "Doctor");
    picker->showFolder(target.path());
    EXPECT_EQ(picker->subfolders(), std::vector<std::string>{"Doctor"});
    keepScreenshot("mail-folder-picker");
    tapView(*picker->tableView()->cellForRow({0, 1})); // into "Doctor"
    EXPECT_EQ(picker->folder(), target.path() / "Doctor");
    tapView(*picker->navigationController()->navigationBar()->rightButton()); // Save here
    EXPECT_FALSE(composer()->modalViewController());
    for (const char* name : {"Florelle-cycle.pdf", "Florelle-moods-symptoms.pdf"}) {
        std::ifstream saved(target.path() / "Doctor" / name);
        std::ifstream original(report(name));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}),
                  std::string(std::istreambuf_iterator<char>(original), {}))
            << name;
    }
    EXPECT_EQ(composer()->statusLabel().text(),
              Strings::localizedFormat("Saved to Key", (target.path() / "Doctor").string()));

    tapBarButton(false); // Cancel
    EXPECT_FALSE(composerStack());
    EXPECT_FALSE(rowSelected());
}

TEST_F(ReportMailTest, OldPlatformsSendCsvFilesAndAFailedWriteIsToldNotSent) {
    settings().setOldOS(true);
    settings().makeFiles();
    host().advance(1);
    ASSERT_TRUE(composer());
    std::vector<std::string> sent;
    for (const auto& attachment : composer()->attachments()) {
        sent.push_back(attachment.file.filename().string() + " " + attachment.mimeType);
    }
    EXPECT_EQ(sent, (std::vector<std::string>{"Period.csv text/csv", "Symptoms.csv text/csv"}));
    tapBarButton(false);

    // A folder where the file should go: the report cannot take its place.
    settings().setOldOS(false);
    std::filesystem::create_directory(report("Florelle-cycle.pdf"));
    settings().makeFiles();
    host().advance(1);
    EXPECT_FALSE(composerStack());
    EXPECT_EQ(main().bigTranspView().alpha(), 0);
    std::shared_ptr<AlertView> told;
    for (const auto& view : main().view()->window()->subviews()) {
        if (auto alert = std::dynamic_pointer_cast<AlertView>(view); alert && alert->isVisible()) {
            told = alert;
        }
    }
    ASSERT_TRUE(told);
    EXPECT_NE(told->message().find(report("Florelle-cycle.pdf").string()), std::string::npos);
    EXPECT_FALSE(rowSelected());
}

} // namespace
