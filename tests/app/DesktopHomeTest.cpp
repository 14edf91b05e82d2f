// The main window on desktops without a tray, its tray clicks, its list commands and the
// single-instance hand-over.

#include "MainWindowFixture.h"
#include "app/SingleInstance.h"

#include <QMenu>
#include <QTemporaryDir>

using namespace vesperon;

namespace {

class DesktopHomeTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setUser("Language", QStringLiteral("English"));
        setUser("showHelp", QStringLiteral("0"));
    }
    QStringList questionTexts() const {
        QStringList texts;
        for (const auto &question : prompt.questions())
            texts << question.text;
        return texts;
    }
};

TEST_F(DesktopHomeTest, WithoutATrayClosingMinimizesAndSaysSoOnce) {
    tray.acceptAdd = false;
    setProgram("chkMin", QStringLiteral("1")); // "open minimized to the tray" cannot hide either
    start();
    EXPECT_FALSE(window->startedHidden());
    EXPECT_TRUE(window->isVisible());
    window->bringToFront();
    for (int close = 0; close < 2; ++close) {
        window->close();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isMinimized());
        EXPECT_EQ(unloadCount, 0);
        EXPECT_EQ(window->stillRunningPrompt(), nullptr); // it would speak of the tray
        window->bringToFront();
        EXPECT_FALSE(window->isMinimized());
    }
    ASSERT_EQ(questionTexts().size(), 1);
    EXPECT_TRUE(questionTexts().first().contains(QStringLiteral("no system tray")));

    // With a tray the window hides there, as always.
    tray.acceptAdd = true;
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_NE(window->stillRunningPrompt(), nullptr);
}

TEST_F(DesktopHomeTest, TrayOpenAndDoubleClickBringTheWindowBackAsItWas) {
    start();
    for (const bool doubleClick : {true, false}) {
        window->showMinimized();
        window->hide();
        if (doubleClick)
            emit tray.doubleClicked();
        else
            choose("mnuTrayItem", 0);
        EXPECT_TRUE(window->isVisible()) << doubleClick;
        EXPECT_FALSE(window->isMinimized()) << doubleClick;
        EXPECT_FALSE(window->isMaximized()) << doubleClick;
    }
    window->showMaximized();
    window->hide();
    emit tray.doubleClicked();
    EXPECT_TRUE(window->isMaximized());
}

TEST_F(DesktopHomeTest, SeparatorsShowNoText) {
    start();
    for (QAction *item : window->findChildren<QAction *>()) {
        if (item->isSeparator()) {
            EXPECT_TRUE(item->text().isEmpty()) << item->objectName().toStdString();
        }
    }
}

TEST_F(DesktopHomeTest, PowerOptionsWithoutAnyToolNamesWhatToInstall) {
    start();
    shell.answer = false; // no program starts
    clickButton("cmdPower");
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions().first().icon, Prompt::Icon::Warning);
    for (const QStringList &started : shell.started)
        EXPECT_TRUE(prompt.questions().first().text.contains(started.first()))
            << started.first().toStdString();

    shell.answer = true;
    shell.started.clear();
    clickButton("cmdPower");
    EXPECT_EQ(shell.started.size(), 1);
    EXPECT_EQ(prompt.questions().size(), 1);
}

TEST(SingleInstanceHandOver, ALaterCopyBringsTheRunningCopysWindowUp) {
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    ASSERT_TRUE(running.acquired());
    int requests = 0;
    ASSERT_TRUE(running.listenForLaterCopies([&requests] { ++requests; }));
    SingleInstance later(runtime.path());
    ASSERT_FALSE(later.acquired());
    EXPECT_TRUE(later.askRunningCopyToShow());
    QTRY_COMPARE(requests, 1);
    EXPECT_FALSE(running.askRunningCopyToShow()); // the running copy does not ask itself
}

} // namespace
