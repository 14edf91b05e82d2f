// The main window's side of the warning, the next run and refusals: what the user sees and
// what reaches the power back end.

#include "app/RunGuard.h"
#include "app/ActionWarningWindow.h"
#include "app/MainWindowFixture.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"

#include <QStatusBar>
#include <QWindow>

namespace vesperon::test {

namespace {

class RunGuardTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
    }
    void addRun(const QString &name, const QString &time) {
        window->scheduleList().appendRow(quickRow(name, u"Shut Down"_s, "6/10/2026 " + time));
    }
    // The clock shows time; the warner and the cycle do what they do then.
    void reach(const QTime &time) {
        clock.set(QDateTime(QDate(2026, 6, 10), time));
        window->runGuard().warner().check();
        window->cycle().tmrScheduler_Timer();
        window->cycle().tmrProcessSchedule_Timer();
        window->cycle().timSchedule_Timer();
    }
    void answerWarning(const char *button) {
        ActionWarningWindow *warning = window->runGuard().warningWindow();
        ASSERT_NE(warning, nullptr);
        QTest::mouseClick(warning->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    HistoryEntry::Outcome lastOutcome() { return window->runGuard().history().entries().last().outcome; }
};

TEST_F(RunGuardTest, AHiddenWindowStaysHiddenWhileTheWarningIsAnsweredWithoutTakingTheFocus) {
    setProgram("chkMin", u"1"_s);
    start();
    addRun(u"Nightly"_s, u"14:22:00"_s);
    addRun(u"Later"_s, u"14:25:00"_s);
    reach(QTime(14, 20, 59));
    EXPECT_EQ(window->runGuard().warningWindow(), nullptr);
    reach(QTime(14, 21));
    ActionWarningWindow *warning = window->runGuard().warningWindow();
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->isVisible());
    EXPECT_FALSE(window->isVisible());
    // The offscreen platform activates every shown window, so what can be checked here is what
    // the window asks of the window system: never to be given the keyboard focus.
    ASSERT_NE(warning->windowHandle(), nullptr);
    EXPECT_TRUE(warning->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(warning->testAttribute(Qt::WA_ShowWithoutActivating));
    ASSERT_EQ(tray.announcements.size(), 1);
    EXPECT_EQ(tray.announcements[0].second, warning->text());

    answerWarning("cmdCancelRun");
    EXPECT_EQ(lastOutcome(), HistoryEntry::Outcome::Skipped);
    reach(QTime(14, 22));
    EXPECT_TRUE(power.calls.empty());

    reach(QTime(14, 24));
    answerWarning("cmdDoItNow");
    EXPECT_EQ(power.calls, std::vector<std::string>{"powerOff"});
    EXPECT_EQ(window->runGuard().history().entries().last().detail, u"started by the user"_s);
    reach(QTime(14, 25));
    EXPECT_EQ(power.calls.size(), 1u);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(RunGuardTest, TheNextRunIsInTheTooltipAndStatusLineAndTheTrayMenuSkipsIt) {
    start();
    addRun(u"Nightly"_s, u"14:22:00"_s);
    EXPECT_TRUE(tray.tooltip.endsWith(u"2:22 PM — Nightly"_s));
    EXPECT_EQ(window->statusBar()->findChild<QLabel *>()->text(), tray.tooltip.section('\n', 1));
    choose("mnuTraySkip", 0);
    EXPECT_EQ(tray.tooltip, u"Vesperon"_s);
    reach(QTime(14, 22));
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(RunGuardTest, ARefusalIsShownInABoxWhenNoTrayIconCanShowIt) {
    tray.acceptAdd = false; // no tray host runs
    start();
    power.result = PowerResult::refused("org.freedesktop.DBus.Error.AccessDenied: not allowed");
    addRun(u"Nightly"_s, u"14:22:00"_s);
    reach(QTime(14, 22));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.endsWith("org.freedesktop.DBus.Error.AccessDenied: not allowed"));
    EXPECT_EQ(lastOutcome(), HistoryEntry::Outcome::Refused);
}

} // namespace

} // namespace vesperon::test
