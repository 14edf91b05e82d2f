#include "presentation/SplashScreen.h"
#include "app/MainWindowFixture.h"

#include <QCoreApplication>
#include <QTest>

using namespace vesperon;

namespace {

// The splash with a real main window behind it, loaded as the program loads it.
class SplashScreenTest : public test::MainWindowFixture {
protected:
    int loads = 0;
    std::unique_ptr<SplashScreen> splash;

    // As the program hands over: the main window is shown unless it went to the tray.
    SplashScreen &makeSplash() {
        splash = std::make_unique<SplashScreen>(values, [this]() -> QWidget * {
            ++loads;
            build().load();
            return window->startedHidden() ? nullptr : window.get();
        });
        return *splash;
    }
    void TearDown() override {
        splash.reset();
        window.reset();
    }
};

TEST_F(SplashScreenTest, HandsOverToTheMainWindowAtTheSeventyFifthTickAndOnlyOnce) {
    SplashScreen &s = makeSplash();
    values.ProgramName = QStringLiteral("changed");
    s.start();
    s.show();
    EXPECT_EQ(values.ProgramName, QStringLiteral("Vesperon")); // from the version information
    EXPECT_TRUE(s.timer().isActive());
    EXPECT_EQ(s.timer().interval(), 2);
    s.timer().stop(); // the test drives the ticks itself

    for (int tick = 1; tick <= 74; ++tick)
        s.tick();
    EXPECT_EQ(s.ticks(), 148);
    EXPECT_EQ(loads, 0);
    EXPECT_TRUE(s.isVisible());

    s.tick();
    EXPECT_EQ(s.ticks(), 150);
    EXPECT_EQ(loads, 1);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(s.timer().isActive());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vesperon by Quillmark")); // its load ran

    // A tick that was already queued cannot load the main window a second time.
    s.tick();
    EXPECT_EQ(s.ticks(), 152);
    EXPECT_EQ(loads, 1);
}

TEST_F(SplashScreenTest, RunsOnItsOwnTimerAndStopsAfterTheHandOver) {
    SplashScreen &s = makeSplash();
    s.start();
    s.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loads == 1; }, 10000));
    EXPECT_EQ(s.ticks(), 150);
    EXPECT_FALSE(s.timer().isActive());
    QTest::qWait(50);
    QCoreApplication::processEvents();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(s.ticks(), 150);
}

TEST_F(SplashScreenTest, AMainWindowThatWentToTheTrayStaysHidden) {
    setProgram("chkMin", QStringLiteral("1"));
    SplashScreen &s = makeSplash();
    s.start();
    s.show();
    s.timer().stop();
    for (int tick = 1; tick <= 75; ++tick)
        s.tick();
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(window->startedHidden());
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(s.isVisible());
}

} // namespace
