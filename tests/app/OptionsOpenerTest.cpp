// The main window's Options command opens General Preferences, one at a time.
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "settings/OptionsDialog.h"

#include <QPointer>

using namespace vesperon;

namespace {

class OptionsOpenerTest : public test::MainWindowFixture {
protected:
    void installOpeners(MainWindow &main) override {
        MainWindowFixture::installOpeners(main);
        installOptions(main, *seams, QIcon());
    }
    // The options windows in sight, after choosing File > Options.
    QList<OptionsDialog *> chooseOptions() {
        choose("mnuFileItem", 4);
        QList<OptionsDialog *> found;
        for (QWidget *options : topLevels("frmOptions"))
            if (options->isVisible())
                found << qobject_cast<OptionsDialog *>(options);
        return found;
    }
};

TEST_F(OptionsOpenerTest, OptionsCommandOpensOneLoadedWindowAndAFreshOneAfterClosing) {
    setProgram("chkNoShow", u"1"_s);
    start();
    const QList<OptionsDialog *> first = chooseOptions();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first[0]->findChild<QCheckBox *>(u"chkNoShow"_s)->isChecked());
    EXPECT_EQ(chooseOptions(), first);
    first[0]->close();
    const QList<OptionsDialog *> second = chooseOptions(); // while the closed one still waits to go
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(second, first);
    QPointer<OptionsDialog> open = second[0];
    window.reset(); // the program's end takes an open window with it
    EXPECT_TRUE(open.isNull());
}

} // namespace
