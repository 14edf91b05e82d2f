// The main window on a desktop without a tray and the power settings it cannot open. (A second
// start handing over to the running copy is seen end to end by run-e2e.sh.)

#include "MainWindowFixture.h"

using namespace vesperon;

namespace {

class DesktopHomeTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
    }
};

TEST_F(DesktopHomeTest, WithoutATrayTheWindowMinimizesInsteadOfHidingAndSaysSoOnce) {
    tray.acceptAdd = false;
    setProgram("chkMin", u"1"_s); // "open minimized to the tray" cannot hide either
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
    EXPECT_EQ(prompt.questions().size(), 1);
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

} // namespace
