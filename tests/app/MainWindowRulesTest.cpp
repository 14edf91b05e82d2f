#include "app/MainWindowRules.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

// The user's own closes are driven through the window in MainWindowTest; a system shutdown is not.
TEST(decideClose, ASystemShutdownEndsTheProgramWithoutAPromptAndForGood) {
    bool exitRequested = false;
    CloseDecision d = decideClose(CloseReason::SystemShutdown, exitRequested, u"0"_s, u"0"_s);
    EXPECT_TRUE(d.proceed && !d.hide && !d.showPrompt && exitRequested);
    d = decideClose(CloseReason::User, exitRequested, u"0"_s, u"0"_s);
    EXPECT_TRUE(d.proceed);
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
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
}

} // namespace
