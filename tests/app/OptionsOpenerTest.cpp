// The main window's Options command opens General Preferences, one at a time.
#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "settings/OptionsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTest>

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
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *options = qobject_cast<OptionsDialog *>(widget); options && options->isVisible())
                found.append(options);
        }
        return found;
    }
};

TEST_F(OptionsOpenerTest, OptionsCommandOpensOneLoadedWindowAndAFreshOneAfterClosing) {
    setProgram("chkNoShow", QStringLiteral("1"));
    start();
    const QList<OptionsDialog *> first = chooseOptions();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first[0]->findChild<QCheckBox *>(QStringLiteral("chkNoShow"))->isChecked());
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
