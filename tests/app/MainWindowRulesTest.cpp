#include "app/MainWindowRules.h"
#include "app/ScriptedTrayHost.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vesperon;

namespace {

TEST(resizeControls, ListAndWebsiteButtonFollowTheWindowSize) {
    const auto layout = resizeControls(12300, 8000, false);
    ASSERT_TRUE(layout.has_value());
    EXPECT_EQ(layout->websiteButtonWidth, 12300 - 9720 - 200);
    EXPECT_EQ(layout->listWidth, 12300 - 60 - 200);
    EXPECT_EQ(layout->listHeight, 8000 - 1680 - 1000);
    // Narrower than the list's left edge plus 200 twips: the absolute value, not zero.
    const auto narrow = resizeControls(100, 2000, false);
    ASSERT_TRUE(narrow.has_value());
    EXPECT_EQ(narrow->listWidth, 160);
    EXPECT_EQ(narrow->websiteButtonWidth, 9820);
    EXPECT_EQ(narrow->listHeight, 680);
    EXPECT_FALSE(resizeControls(12300, 8000, true).has_value());
}

// The user's own closes are driven through the window in MainWindowTest; a system shutdown is not.
TEST(decideClose, ASystemShutdownEndsTheProgramWithoutAPromptAndForGood) {
    bool exitRequested = false;
    CloseDecision d =
        decideClose(CloseReason::SystemShutdown, exitRequested, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(d.proceed);
    EXPECT_FALSE(d.hide);
    EXPECT_FALSE(d.showPrompt);
    EXPECT_TRUE(exitRequested);
    d = decideClose(CloseReason::User, exitRequested, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(d.proceed);
}

// The retry after a failed add is driven through the window in MainWindowTest.
TEST(Tray, RefreshAddsTheIconAgainAfterTheTrayWentAway) {
    test::ScriptedTrayHost tray;
    EXPECT_TRUE(refreshTrayIcon(tray, QStringLiteral("Vesperon"), QIcon()));
    tray.calls.clear();
    EXPECT_TRUE(refreshTrayIcon(tray, QStringLiteral("Vesperon"), QIcon()));
    EXPECT_EQ(tray.calls, QStringList{QStringLiteral("modify")});
    tray.present = false;
    tray.calls.clear();
    EXPECT_TRUE(refreshTrayIcon(tray, QStringLiteral("Vesperon"), QIcon()));
    EXPECT_EQ(tray.calls, (QStringList{QStringLiteral("modify"), QStringLiteral("add")}));
}

} // namespace

#include "app/AppIcons.h"

namespace {

TEST(AppIcons, EveryPictureIsThereAndTheProgramIconHasAllItsSizes) {
    for (const char *name :
         {"new", "edit", "delete", "go", "power", "website", "shutdown", "reboot", "logoff", "standby",
          "hibernate", "preferences", "exit", "language", "help", "about", "open", "hide"})
        EXPECT_FALSE(appIcon(QLatin1String(name)).pixmap(16, 16).isNull()) << name;
    const QIcon icon = programIcon();
    for (const int size : {16, 32, 48, 64, 128})
        EXPECT_EQ(icon.pixmap(size, size).width(), size);
    EXPECT_EQ(icon.availableSizes().size(), 5);
}

} // namespace
