// The main window on a desktop without a tray, the power settings it cannot open, and a second
// start handing over to the running copy.

#include "MainWindowFixture.h"
#include "app/SingleInstance.h"

using namespace vesperon;

namespace {

class DesktopHomeTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        setUser("Language", QStringLiteral("English"));
        setUser("showHelp", QStringLiteral("0"));
    }
};

TEST_F(DesktopHomeTest, WithoutATrayTheWindowMinimizesInsteadOfHidingAndSaysSoOnce) {
    tray.acceptAdd = false;
    setProgram("chkMin", QStringLiteral("1")); // "open minimized to the tray" cannot hide either
    start();
    EXPECT_TRUE(window->isVisible());
    for (int close = 0; close < 2; ++close) {
        window->bringToFront();
        EXPECT_FALSE(window->isMinimized());
        window->close();
        EXPECT_TRUE(window->isVisible() && window->isMinimized());
        EXPECT_EQ(unloadCount, 0);
        EXPECT_EQ(window->stillRunningPrompt(), nullptr); // it would speak of the tray
    }
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions().first().text.contains(QStringLiteral("no system tray")));
    for (QAction *item : window->findChildren<QAction *>()) // a separator is a line, without a glyph
        EXPECT_TRUE(!item->isSeparator() || item->text().isEmpty());
}

TEST_F(DesktopHomeTest, PowerOptionsWithoutAnyToolNamesWhatToInstall) {
    start();
    shell.answer = false; // no program starts
    clickButton("cmdPower");
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_GT(shell.started.size(), 1);
    for (const QStringList &started : shell.started)
        EXPECT_TRUE(prompt.questions().first().text.contains(started.first()))
            << started.first().toStdString();
}

TEST(SingleInstanceHandOver, ALaterCopyBringsTheRunningCopysWindowUp) {
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    int requests = 0;
    ASSERT_TRUE(running.listenForLaterCopies([&requests] { ++requests; }));
    SingleInstance later(runtime.path());
    ASSERT_FALSE(later.acquired());
    EXPECT_TRUE(later.askRunningCopyToShow());
    QTRY_COMPARE(requests, 1);
}

} // namespace
