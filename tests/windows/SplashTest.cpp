#include "app/MainWindowFixture.h"
#include "windows/frmSplash.h"

#include <QCoreApplication>
#include <QTest>

using namespace vesperon;

namespace {

// The splash with a real main window behind it, loaded as the program loads it.
class SplashTest : public test::MainWindowFixture {
protected:
    int loads = 0;
    std::unique_ptr<frmSplash> splash;

    frmSplash &makeSplash() {
        splash = std::make_unique<frmSplash>(*context, [this]() -> QWidget * {
            ++loads;
            window = std::make_unique<frmMain>(*context);
            window->Form_Load();
            return window.get();
        });
        return *splash;
    }
    void TearDown() override {
        splash.reset();
        window.reset();
    }
};

TEST_F(SplashTest, HandsOverToTheMainWindowAtTheSeventyFifthTickAndOnlyOnce) {
    frmSplash &s = makeSplash();
    values.ProgramName = QStringLiteral("changed");
    s.Form_Load();
    s.show();
    EXPECT_EQ(values.ProgramName, QStringLiteral("Vesperon")); // from the version information
    EXPECT_TRUE(s.Timer2().isActive());
    EXPECT_EQ(s.Timer2().interval(), 2);
    s.Timer2().stop(); // the test drives the ticks itself

    for (int tick = 1; tick <= 74; ++tick)
        s.Timer2_Timer();
    EXPECT_EQ(s.SplashTicks(), 148);
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(s.isVisible());

    s.Timer2_Timer();
    EXPECT_EQ(s.SplashTicks(), 150);
    EXPECT_EQ(loads, 1);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(s.Timer2().isActive());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vesperon by Quillmark")); // its load ran

    // A tick that was already queued cannot load the main window a second time.
    s.Timer2_Timer();
    EXPECT_EQ(s.SplashTicks(), 152);
    EXPECT_EQ(loads, 1);
}

TEST_F(SplashTest, RunsOnItsOwnTimerAndStopsAfterTheHandOver) {
    frmSplash &s = makeSplash();
    s.Form_Load();
    s.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads == 1; }, 10000));
    EXPECT_EQ(s.SplashTicks(), 150);
    EXPECT_FALSE(s.Timer2().isActive());
    QTest::qWait(50);
    QCoreApplication::processEvents();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(s.SplashTicks(), 150);
}

TEST_F(SplashTest, AMainWindowThatWentToTheTrayStaysHidden) {
    setProgram("chkMin", QStringLiteral("1"));
    frmSplash &s = makeSplash();
    s.Form_Load();
    s.show();
    s.Timer2().stop();
    for (int tick = 1; tick <= 75; ++tick)
        s.Timer2_Timer();
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(context->startedHidden);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(s.isVisible());
}

} // namespace
