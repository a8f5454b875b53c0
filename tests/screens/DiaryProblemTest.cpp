// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "screens/NotesGlobalController.h"
#include "storage/DatabaseController.h"
#include "storage/SQLiteAccess.h"
#include "support/LocalDays.h"
#include "support/ReadOnlyFolder.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/TextView.h"
#include "ui/Window.h"

#include <fstream>
#include <iterator>

using namespace florelle;
using namespace florelle::testing;

namespace {

using DC = DatabaseController;

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DiaryProblemTest : public MainScreenTest {
protected:
    std::shared_ptr<AlertView> shownAlert() const {
        for (const auto& view : delegate_->window()->subviews()) {
            if (auto alert = std::dynamic_pointer_cast<AlertView>(view);
                alert && alert->isVisible()) {
                return alert;
            }
        }
        return nullptr;
    }
    void dismiss(const std::shared_ptr<AlertView>& alert) {
        alert->button(0)->onTouchUpInside();
        host().advance(1);
    }
    NotesGlobalController& log() const {
        return dynamic_cast<NotesGlobalController&>(main().page(MainPageKind::notes));
    }
    void typeNote(const std::string& text) {
        openPetal(MainPageKind::notes);
        // Opening the day cannot store it either, and says so.
        if (auto alert = shownAlert()) {
            dismiss(alert);
        }
        tapView(log().sectionButton(NotesGlobalController::notes));
        tapView(log().noteView());
        host().type(text);
    }
};

} // namespace

// She sees what is wrong, with which file, as the window opens, and the
// file stays exactly as it was for rescue.
TEST_F(DiaryProblemTest, ADiaryThatCannotBeReadIsNamedAtStartAndLeftAlone) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* messageKey;
    };
    const Case cases[] = {
        {"zero length", "", "Diary empty Key"},
        {"damaged", std::string(8192, '\x5a'), "Diary damaged Key"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(databaseFile(), std::ios::binary | std::ios::trunc) << c.bytes;
        launch();
        auto alert = shownAlert();
        ASSERT_TRUE(alert);
        EXPECT_EQ(alert->title(), t("Diary problem Key"));
        EXPECT_EQ(alert->message(),
                  Strings::localizedFormat(c.messageKey, databaseFile().string()));
        EXPECT_EQ(main().remainingDaysLbl().text(), "–") << "no made-up count";

        dismiss(alert);
        typeNote("Cramps");
        EXPECT_TRUE(shownAlert()) << "a note that cannot be saved is said to be so";
        EXPECT_EQ(log().noteView().text(), "Cramps") << "what she typed stays";
        EXPECT_EQ(contents(databaseFile()), c.bytes);
        host_.reset();
        delegate_.reset();
    }
}

TEST_F(DiaryProblemTest, AReadOnlyDiaryShowsItsDaysAndKeepsTypingUntilItCanBeSaved) {
    ASSERT_TRUE(DC::saveStartPeriod(localDate(2026, 2, 20)));
    ASSERT_TRUE(DC::saveEndPeriod(localDate(2026, 2, 24)));
    std::string before = contents(databaseFile());
    auto readOnly = std::make_unique<ReadOnlyFolder>(databaseFile().parent_path());
    if (!readOnly->available()) {
        GTEST_SKIP() << "this machine cannot make a folder read-only for the test";
    }
    launch();
    auto alert = shownAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->message(),
              Strings::localizedFormat("Diary read-only Key", databaseFile().string()));
    EXPECT_EQ(main().remainingDaysLbl().text(), "19") << "what can be read is shown";

    dismiss(alert);
    typeNote("Tired");
    EXPECT_TRUE(shownAlert());
    EXPECT_EQ(contents(databaseFile()), before);
    dismiss(shownAlert());

    readOnly.reset(); // she fixed the folder: the next keystroke saves it all
    host().type("!");
    auto note = DC::getNoteForDateId(DC::getDateIdForDate(localDate(2026, 3, 1)).value());
    ASSERT_TRUE(note);
    EXPECT_EQ(note->value_or("<no note>"), "Tired!");
    EXPECT_FALSE(shownAlert());
}
