#include "MainWindowFixture.h"
#include "app/StillRunningPrompt.h"
#include "schedule/ScheduleFile.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeView>

using namespace vesperon;

namespace {

class MainWindowTest : public test::MainWindowFixture {
protected:
    bool enabled(const char *button) { return control<QAbstractButton>(button)->isEnabled(); }
    void quickSchedule(const char *action, const char *delay) {
        auto *actions = control<QComboBox>("cbShutdown");
        actions->setCurrentIndex(actions->findText(QLatin1String(action)));
        control<QComboBox>("cmbTime")->setCurrentText(QLatin1String(delay));
        clickButton("cmdGo");
    }
    void runCycleAt(const QTime &time) {
        clock.set(QDateTime(QDate(2026, 6, 10), time));
        window->cycle().tmrScheduler_Timer();
        window->cycle().tmrProcessSchedule_Timer();
        window->cycle().timSchedule_Timer();
    }
    void restart() {
        window.reset();
        opened.clear();
        start();
    }
};

TEST_F(MainWindowTest, FirstStartAsksForALanguageAndOpensTheHelpOnce) {
    start();
    EXPECT_EQ(opened, (QStringList{u"language modal"_s, u"help"_s}));
    EXPECT_EQ(user("Language"), u"English"_s);
    EXPECT_EQ(user("showHelp"), u"0"_s);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QDir(dataFolder()).exists());
    restart();
    EXPECT_TRUE(opened.isEmpty());

    // The help is only for English; another language records it as shown all the same.
    setUser("Language", u"Deutsch"_s);
    setUser("showHelp", u"1"_s);
    restart();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(user("showHelp"), u"0"_s);

    setProgram("chkMin", u"1"_s); // started minimized to the tray: never shown
    restart();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(tray.present);
    // Nobody is there to answer a Permission Denied prompt for a program started in the tray.
    settingsStore.failWrites(settings::SettingsScope::Program, settings::StoreWrite::accessDenied());
    settings->program().setValue(settings::keys::chkSplash, u"1"_s);
    EXPECT_TRUE(prompt.questions().isEmpty());
}

// Hibernate comes first where the system can hibernate, even when it answers after the window
// is up, but does not override what the user picked meanwhile.
TEST_F(MainWindowTest, ALateHibernationAnswerStillPutsHibernateFirstWithoutOverridingTheUser) {
    power.hibernationAvailable = true;
    power.answerLater = true;
    for (const bool userPicked : {false, true}) {
        restart();
        auto *actions = control<QComboBox>("cbShutdown");
        EXPECT_EQ(actions->count(), 4);
        if (userPicked)
            actions->setCurrentIndex(actions->findText(u"Log Off"_s));
        power.answerCanHibernate();
        EXPECT_EQ(actions->itemText(0), u"Hibernate"_s);
        EXPECT_EQ(actions->currentText(), QLatin1String(userPicked ? "Log Off" : "Hibernate"));
    }
    window.reset();
    power.answerCanHibernate(); // to a window that is gone
}

// Closing hides to the tray and reminds; Return takes the reminder's Ok. "Don't show again"
// hides silently from then on; "always exit" ends the program now and on every close. Exit
// from the File or tray menu never asks.
TEST_F(MainWindowTest, ClosingHidesToTheTrayAndTheReminderDecidesTheNextCloses) {
    start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    StillRunningPrompt *reminder = window->stillRunningPrompt();
    ASSERT_NE(reminder, nullptr);
    reminder->findChild<QCheckBox *>(u"chkNoShow"_s)->setChecked(true);
    QTest::keyClick(reminder, Qt::Key_Return);
    EXPECT_EQ(program("chkNoShow"), u"1"_s);
    window->show();
    window->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(!window->stillRunningPrompt() || !window->stillRunningPrompt()->isVisible());
    EXPECT_EQ(unloadCount, 0);

    setProgram("chkNoShow", u"0"_s);
    restart();
    window->close();
    ASSERT_NE(reminder = window->stillRunningPrompt(), nullptr);
    reminder->findChild<QCheckBox *>(u"chkAlwaysExit"_s)->setChecked(true);
    QTest::mouseClick(reminder->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_EQ(unloadCount, 1);
    EXPECT_FALSE(tray.present);
    restart();
    window->close();
    EXPECT_EQ(unloadCount, 2);
    EXPECT_EQ(window->stillRunningPrompt(), nullptr);

    setProgram("chkAlwaysExit", u"0"_s);
    for (const auto &[menu, exit] : {std::pair{"mnuFileItem", 6}, {"mnuTrayItem", 3}}) {
        restart();
        choose(menu, exit);
        EXPECT_EQ(window->stillRunningPrompt(), nullptr) << menu;
    }
    EXPECT_EQ(unloadCount, 4);
}

TEST_F(MainWindowTest, ColumnWidthsSurviveARestart) {
    setUser("BackupSetColumn1", u"1234.6"_s);
    setUser("BackupSetColumn2", u"32768"_s); // past what a width can be
    setUser("BackupSetColumn5", u"not a width"_s);
    start();
    control<QTreeView>("lstSchedules")->header()->resizeSection(2, 200);
    choose("mnuFileItem", 6);
    EXPECT_EQ(user("BackupSetColumn1"), u"1235"_s);
    EXPECT_EQ(user("BackupSetColumn2"), QString::number(ColumnDesignTwips[1]));
    EXPECT_EQ(user("BackupSetColumn3"), u"3000"_s);
    EXPECT_EQ(user("BackupSetColumn5"), QString::number(ColumnDesignTwips[4]));
}

// Edit needs a row with a schedule file, Delete any row; Delete asks first and removes the
// file only on Yes.
TEST_F(MainWindowTest, RowClicksSetTheCommandsAndDeleteAsksFirst) {
    const QString file = scheduleFilePath(dataFolder(), u"Nightly"_s);
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Nightly"_s, u"Shut Down"_s, u"6/10/2026"_s, u"22:00:00"_s), dataFolder()));
    start();
    EXPECT_FALSE(enabled("cmdDelete"));
    quickSchedule("Reboot", "In 1 Hour");
    clickRow(1);
    EXPECT_FALSE(enabled("cmdEdit"));
    EXPECT_TRUE(enabled("cmdDelete"));
    window->reloadSchedules(); // leaves no row selected: nothing to delete
    EXPECT_FALSE(enabled("cmdDelete"));
    clickRow(0);
    clickButton("cmdEdit");
    EXPECT_EQ(opened.last(), u"wizard edit"_s);
    EXPECT_EQ(window->currentSchedule().StartTime, u"22:00:00"_s);

    prompt.willAnswer(Prompt::Answer::No);
    clickButton("cmdDelete");
    EXPECT_EQ(prompt.questions().last().buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(FileExists(file));
    prompt.willAnswer(Prompt::Answer::Yes);
    clickButton("cmdDelete");
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(window->scheduleList().rowCount(), 0);
    clickButton("cmdDelete"); // nothing selected: nothing asked
    EXPECT_EQ(prompt.questions().size(), 2);
}

// A quick schedule runs in its minute; a typed delay that is no delay adds a row that never runs.
// Return in the action box schedules as Go does.
TEST_F(MainWindowTest, QuickScheduleRunsInItsMinute) {
    start();
    quickSchedule("Reboot", "In 1 Minute");
    EXPECT_EQ(window->scheduleList().row(0).nextRunTime, u"6/10/2026 14:21:30"_s);
    runCycleAt(QTime(14, 20, 59));
    EXPECT_TRUE(power.calls.empty());
    runCycleAt(QTime(14, 21, 0));
    EXPECT_EQ(power.calls, std::vector<std::string>{"reboot"});
    quickSchedule("Reboot", "In 15 Minutes");
    EXPECT_TRUE(window->scheduleList().row(1).nextRunTime.isEmpty());
    quickSchedule("Reboot", "In 12 Hours");
    EXPECT_EQ(window->scheduleList().row(2).nextRunTime, u"6/11/2026 02:21:00"_s);
    QTest::keyClick(control<QComboBox>("cbShutdown"), Qt::Key_Return); // Return in the action box is Go
    EXPECT_EQ(window->scheduleList().rowCount(), 4);
}

// "Now" asks first and performs only on Ok; a refused action is reported, not taken for done.
TEST_F(MainWindowTest, NowAsksAndPerformsOnlyOnOk) {
    start();
    prompt.willAnswer(Prompt::Answer::Cancel);
    quickSchedule("Reboot", "Now");
    EXPECT_TRUE(power.calls.empty());
    prompt.willAnswer(Prompt::Answer::Ok);
    quickSchedule("Reboot", "Now");
    EXPECT_EQ(power.calls, std::vector<std::string>{"reboot"});
    EXPECT_EQ(window->scheduleList().rowCount(), 0);
    EXPECT_TRUE(tray.notices.isEmpty());

    power.result = PowerResult::refused("access denied");
    prompt.willAnswer(Prompt::Answer::Ok);
    quickSchedule("Shut Down", "Now");
    ASSERT_EQ(tray.notices.size(), 1);
    EXPECT_TRUE(tray.notices.first().second.contains(u"access denied"_s));
}

// The keep-awake box holds the system awake; a box the system refuses is cleared and explained.
TEST_F(MainWindowTest, KeepAwakeBoxIsClearedAndExplainedWhenTheSystemRefuses) {
    start();
    auto *box = control<QCheckBox>("chkLowPower");
    const QPoint mark(6, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_EQ(power.calls, (std::vector<std::string>{"setSleepBlocked(true)", "setSleepBlocked(false)"}));
    power.result = PowerResult::refused("refused");
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions().first().text.endsWith("refused"));
}

// The icon is retried while it is missing. A click or a context click pops the tray menu up; a
// double click or Open shows the hidden window.
TEST_F(MainWindowTest, TheTrayIconIsRetriedUntilItIsThereAndItsClicksWork) {
    tray.acceptAdd = false;
    start();
    tray.acceptAdd = true;
    window->trayIconTimer().start(1);
    QTRY_VERIFY(!window->trayIconTimer().isActive());
    EXPECT_TRUE(tray.present);
    window->hide();
    for (const auto signal : {&TrayHost::clicked, &TrayHost::contextClicked}) {
        emit(tray.*signal)();
        EXPECT_TRUE(window->trayMenu()->isVisible());
        window->trayMenu()->hide();
    }
    emit tray.doubleClicked();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMaximized()); // a double click keeps the window's state
    window->hide();
    choose("mnuTrayItem", 0);
    EXPECT_TRUE(window->isVisible());
}

} // namespace
