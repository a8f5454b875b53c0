// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainScreenTest.h"
#include "foundation/Strings.h"
#include "screens/SettingsGlobalController.h"
#include "screens/UserGuideController.h"
#include "ui/Button.h"
#include "ui/NavigationController.h"
#include "ui/TextView.h"

#include <cstdlib>

using namespace florelle;
using namespace florelle::testing;

namespace {

class UserGuideTest : public MainScreenTest {
protected:
    SettingsGlobalController& settings() const {
        return dynamic_cast<SettingsGlobalController&>(main().page(MainPageKind::settings));
    }
};

TEST_F(UserGuideTest, TheSettingsPageShowsTheGuideAndTheBackButtonLeavesIt) {
    launch();
    openPetal(MainPageKind::settings);
    EXPECT_TRUE(main().goBack().isHidden());

    settings().pushUserGuide();
    host().advance(1);
    UserGuideController& guide = settings().userGuideController();
    EXPECT_EQ(settings().navController().topViewController(), &guide);
    EXPECT_EQ(guide.textView().text(), Strings::localized("User guide Key"));
    EXPECT_EQ(guide.textView().font().name(), Font::systemFont(16).name());
    EXPECT_DOUBLE_EQ(guide.textView().font().size(), 16);
    EXPECT_FALSE(guide.textView().isEditable());
    EXPECT_FALSE(main().goBack().isHidden());
    EXPECT_TRUE(main().lock());
    if (const char* folder = std::getenv("FLORELLE_SCREENSHOT_DIR")) {
        EXPECT_TRUE(host().screenshot(std::filesystem::path(folder) / "user-guide.png"));
    }

    // Lowered and opened again, the page keeps the guide and its way back.
    main().bringInfoDown();
    host().advance(1);
    openPetal(MainPageKind::settings);
    EXPECT_FALSE(main().goBack().isHidden());

    Rect back = main().goBack().frame();
    host().tap(main().goBack().superview()->convertPointToWindow({back.midX(), back.midY()}));
    host().advance(1);
    EXPECT_EQ(settings().navController().viewControllers().size(), 1u);
    EXPECT_TRUE(main().goBack().isHidden());
    EXPECT_FALSE(main().lock());
}

} // namespace
