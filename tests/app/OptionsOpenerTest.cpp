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
    static QList<OptionsDialog *> openOptionsWindows() {
        QList<OptionsDialog *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *options = qobject_cast<OptionsDialog *>(widget); options && options->isVisible())
                found.append(options);
        }
        return found;
    }
    static void destroyClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(OptionsOpenerTest, OptionsCommandOpensOneLoadedWindowAndAFreshOneAfterClosing) {
    setProgram("chkNoShow", QStringLiteral("1"));
    start();
    choose("mnuFileItem", 4);
    ASSERT_EQ(openOptionsWindows().size(), 1);
    QPointer<OptionsDialog> first = openOptionsWindows().constFirst();
    EXPECT_FALSE(first->isModal());
    EXPECT_TRUE(first->findChild<QCheckBox *>(QStringLiteral("chkNoShow"))->isChecked());

    choose("mnuFileItem", 4);
    ASSERT_EQ(openOptionsWindows().size(), 1);
    EXPECT_EQ(openOptionsWindows().constFirst(), first.data());

    first->close();
    choose("mnuFileItem", 4); // while the closed one still waits to be destroyed
    ASSERT_EQ(openOptionsWindows().size(), 1);
    QPointer<OptionsDialog> second = openOptionsWindows().constFirst();
    EXPECT_NE(second.data(), first.data());
    destroyClosedWindows();
    EXPECT_TRUE(first.isNull());
    EXPECT_FALSE(second.isNull());

    // The program's end takes an open window with it.
    window.reset();
    EXPECT_TRUE(second.isNull());
}

} // namespace
