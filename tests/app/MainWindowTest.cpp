#include "MainWindowFixture.h"
#include "app/StillRunningPrompt.h"
#include "schedule/ScheduleFile.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

using namespace vesperon;

namespace {

class MainWindowTest : public test::MainWindowFixture {
protected:
    void saveSchedule(const QString &name) {
        const ScheduleRecord r =
            test::enabledSchedule(name, QStringLiteral("Shut Down"), QStringLiteral("6/10/2026"),
                                  QStringLiteral("22:00:00"), false);
        ASSERT_FALSE(WriteScheduleFile(r, dataFolder()).has_value());
    }
    bool editEnabled() { return control<QAbstractButton>("cmdEdit")->isEnabled(); }
    bool deleteEnabled() { return control<QAbstractButton>("cmdDelete")->isEnabled(); }
    QAction *fileItem(int index) { return menuItem("mnuFileItem", index); }
    // Ticks a box of the still-running reminder and presses its Ok.
    void answerReminder(const char *box) {
        StillRunningPrompt *reminder = window->stillRunningPrompt();
        ASSERT_NE(reminder, nullptr);
        reminder->findChild<QCheckBox *>(QLatin1String(box))->setChecked(true);
        QTest::mouseClick(reminder->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    }
    void quickSchedule(const QString &action, const QString &delay) {
        auto *actions = control<QComboBox>("cbShutdown");
        actions->setCurrentIndex(actions->findText(action));
        control<QComboBox>("cmbTime")->setCurrentText(delay);
        clickButton("cmdGo");
    }
    void runCycleAt(const QTime &time) {
        clock.set(QDateTime(QDate(2026, 6, 10), time));
        window->cycle().tmrScheduler_Timer();
        window->cycle().tmrProcessSchedule_Timer();
        window->cycle().timSchedule_Timer();
    }
};

TEST_F(MainWindowTest, FirstStartAsksForALanguageAndOpensTheHelpOnce) {
    start();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("language modal"), QStringLiteral("help")}));
    EXPECT_EQ(user("Language"), QStringLiteral("English"));
    EXPECT_EQ(user("showHelp"), QStringLiteral("0"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QDir(dataFolder()).exists());
    EXPECT_EQ(window->windowTitle(), languages->getMessages(QStringLiteral("MSG_TITLE")));
    EXPECT_EQ(control<QAbstractButton>("cmdWebsite")->text(), QStringLiteral("Visit ") + values.Website);
    EXPECT_EQ(tray.calls, (QStringList{QStringLiteral("modify"), QStringLiteral("add")}));
    EXPECT_EQ(tray.tooltip, QStringLiteral("Vesperon"));

    window.reset();
    opened.clear();
    start();
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QStringLiteral(", ")).toStdString();
}

TEST_F(MainWindowTest, HelpIsSkippedForAnotherLanguageButRecordedAsShown) {
    setUser("Language", QStringLiteral("Deutsch"));
    start();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(user("showHelp"), QStringLiteral("0"));
}

TEST_F(MainWindowTest, StartingMinimizedToTheTrayNeverShowsTheWindow) {
    setProgram("chkMin", QStringLiteral("1"));
    start();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->startedHidden());
    EXPECT_TRUE(tray.present);
}

TEST_F(MainWindowTest, ActionsOfferHibernateFirstOnlyWhereTheSystemCanHibernate) {
    start();
    auto *actions = control<QComboBox>("cbShutdown");
    EXPECT_EQ(actions->itemText(0), QStringLiteral("Shut Down"));
    EXPECT_EQ(actions->count(), 4);
    window.reset();
    power.hibernationAvailable = true;
    start();
    actions = control<QComboBox>("cbShutdown");
    EXPECT_EQ(actions->count(), 5);
    EXPECT_EQ(actions->currentText(), QStringLiteral("Hibernate"));
}

TEST_F(MainWindowTest, ALateHibernationAnswerStillPutsHibernateFirstWithoutOverridingTheUser) {
    power.hibernationAvailable = true;
    power.answerLater = true;
    start(); // the window is up before the system has answered
    auto *actions = control<QComboBox>("cbShutdown");
    EXPECT_EQ(actions->count(), 4);
    power.answerCanHibernate();
    QStringList items;
    for (int i = 0; i < actions->count(); ++i)
        items << actions->itemText(i);
    EXPECT_EQ(items, (QStringList{"Hibernate", "Shut Down", "Reboot", "Log Off", "Stand by"}));
    EXPECT_EQ(actions->currentText(), QStringLiteral("Hibernate"));

    window.reset();
    start();
    actions = control<QComboBox>("cbShutdown");
    actions->setCurrentIndex(actions->findText(QStringLiteral("Log Off")));
    power.answerCanHibernate();
    EXPECT_EQ(actions->itemText(0), QStringLiteral("Hibernate"));
    EXPECT_EQ(actions->currentText(), QStringLiteral("Log Off"));

    start();
    window.reset();
    power.answerCanHibernate(); // to a window that is gone
}

TEST_F(MainWindowTest, ClosingHidesToTheTrayAndRemindsUntilToldOtherwise) {
    start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(unloadCount, 0);
    ASSERT_NE(window->stillRunningPrompt(), nullptr);
    EXPECT_TRUE(window->stillRunningPrompt()->isVisible());
    EXPECT_EQ(window->stillRunningPrompt()->windowTitle(), QStringLiteral("Vesperon is still running"));

    // "Don't show this reminder again": the next close hides silently.
    answerReminder("chkNoShow");
    EXPECT_EQ(program("chkNoShow"), QStringLiteral("1"));
    EXPECT_EQ(program("chkAlwaysExit", "0"), QStringLiteral("0"));
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(unloadCount, 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(!window->stillRunningPrompt() || !window->stillRunningPrompt()->isVisible());
}

TEST_F(MainWindowTest, AlwaysExitFromThePromptEndsTheProgramNowAndOnEveryClose) {
    start();
    window->close();
    answerReminder("chkAlwaysExit");
    EXPECT_EQ(program("chkAlwaysExit"), QStringLiteral("1"));
    EXPECT_EQ(unloadCount, 1);
    EXPECT_FALSE(tray.present);

    window.reset();
    start();
    window->close();
    EXPECT_EQ(unloadCount, 2);
    EXPECT_EQ(window->stillRunningPrompt(), nullptr);
}

TEST_F(MainWindowTest, ExitFromTheFileOrTrayMenuNeverAsks) {
    for (const int alwaysExit : {0, 1}) {
        for (const bool fromTray : {false, true}) {
            setProgram("chkAlwaysExit", QString::number(alwaysExit));
            const int before = unloadCount;
            start();
            choose(fromTray ? "mnuTrayItem" : "mnuFileItem", fromTray ? 3 : 6);
            EXPECT_EQ(unloadCount, before + 1) << alwaysExit << fromTray;
            EXPECT_EQ(window->stillRunningPrompt(), nullptr);
            EXPECT_FALSE(tray.present);
            window.reset();
        }
    }
}

TEST_F(MainWindowTest, ColumnWidthsSurviveARestart) {
    setUser("BackupSetColumn1", QStringLiteral("1234.6"));
    setUser("BackupSetColumn5", QStringLiteral("not a width"));
    start();
    EXPECT_EQ(window->columnTwips(0), 1235);
    EXPECT_EQ(window->columnTwips(4), ColumnDesignTwips[4]);
    control<QTreeView>("lstSchedules")->header()->resizeSection(2, 200);
    choose("mnuFileItem", 6);
    EXPECT_EQ(user("BackupSetColumn1"), QStringLiteral("1235"));
    EXPECT_EQ(user("BackupSetColumn2"), QString::number(ColumnDesignTwips[1]));
    EXPECT_EQ(user("BackupSetColumn3"), QStringLiteral("3000"));
    EXPECT_EQ(user("BackupSetColumn5"), QString::number(ColumnDesignTwips[4]));
}

TEST_F(MainWindowTest, AScheduleFileThatCannotBeReadIsListedAsSuch) {
    QDir().mkpath(dataFolder());
    test::writeBytes(dataFolder() + QStringLiteral("/Broken.sch"), QByteArray(200000, 'x'));
    start();
    ASSERT_EQ(window->scheduleList().rowCount(), 1);
    const QModelIndex type = window->scheduleList().index(0, ScheduleListModel::TypeColumn);
    EXPECT_EQ(type.data().toString(), languages->getMessages("MSG_UNREADABLE"));
    EXPECT_EQ(type.data().toString(), QStringLiteral("(cannot be read)"));
}

TEST_F(MainWindowTest, RowClicksSetTheCommandStates) {
    saveSchedule(QStringLiteral("Nightly"));
    start();
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(deleteEnabled());
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 1 Hour"));
    ASSERT_EQ(window->scheduleList().rowCount(), 2);

    clickRow(0);
    EXPECT_TRUE(editEnabled());
    EXPECT_TRUE(deleteEnabled());
    EXPECT_TRUE(fileItem(1)->isEnabled());
    EXPECT_EQ(window->currentSchedule().StartTime, QStringLiteral("22:00:00"));

    clickRow(1);
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(fileItem(1)->isEnabled());
    EXPECT_TRUE(deleteEnabled());
    EXPECT_TRUE(fileItem(2)->isEnabled());

    // A reload leaves no row selected: nothing to delete.
    window->reloadSchedules();
    EXPECT_FALSE(deleteEnabled());

    clickRow(0);
    clickButton("cmdEdit");
    choose("mnuFileItem", 0);
    EXPECT_EQ(opened.mid(opened.size() - 2),
              (QStringList{QStringLiteral("wizard edit"), QStringLiteral("wizard new")}));
}

TEST_F(MainWindowTest, DeleteAsksFirstAndOnYesRemovesTheFile) {
    saveSchedule(QStringLiteral("Nightly"));
    start();
    clickRow(0);

    prompt.willAnswer(Prompt::Answer::No);
    clickButton("cmdDelete");
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions().first().text,
              QStringLiteral("Are you sure you want to delete the selected item?"));
    EXPECT_EQ(prompt.questions().first().title, QStringLiteral("Really delete?"));
    EXPECT_EQ(prompt.questions().first().buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(FileExists(scheduleFilePath(dataFolder(), QStringLiteral("Nightly"))));
    EXPECT_TRUE(editEnabled());

    prompt.willAnswer(Prompt::Answer::Yes);
    clickButton("cmdDelete");
    EXPECT_FALSE(FileExists(scheduleFilePath(dataFolder(), QStringLiteral("Nightly"))));
    EXPECT_EQ(window->scheduleList().rowCount(), 0);
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(deleteEnabled());
    // With nothing selected, Delete does nothing and asks nothing.
    clickButton("cmdDelete");
    EXPECT_EQ(prompt.questions().size(), 2);
}

TEST_F(MainWindowTest, QuickScheduleRunsInItsMinute) {
    start();
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 1 Minute"));
    ASSERT_EQ(window->scheduleList().rowCount(), 1);
    const ScheduleRow row = window->scheduleList().row(0);
    EXPECT_EQ(row.name, QStringLiteral("Quick Schedule 6/10/2026 2:20:30 PM"));
    EXPECT_EQ(row.nextRunTime, QStringLiteral("6/10/2026 14:21:30"));

    power.calls.clear();
    runCycleAt(QTime(14, 20, 59));
    EXPECT_TRUE(power.calls.empty());
    runCycleAt(QTime(14, 21, 0));
    ASSERT_FALSE(power.calls.empty());
    EXPECT_EQ(power.calls.back(), "reboot");
    EXPECT_TRUE(window->scheduleList().row(0).nextRunTime.isEmpty());
}

TEST_F(MainWindowTest, NowAsksAndPerformsOnlyOnOk) {
    start();
    power.calls.clear();
    prompt.willAnswer(Prompt::Answer::Cancel);
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("Now"));
    EXPECT_TRUE(power.calls.empty());
    EXPECT_EQ(prompt.questions().last().title, QStringLiteral("Confirm Choice"));
    EXPECT_EQ(prompt.questions().last().text,
              QStringLiteral("Are you sure you want to perform the selected action immediately?"));
    prompt.willAnswer(Prompt::Answer::Ok);
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("Now"));
    ASSERT_FALSE(power.calls.empty());
    EXPECT_EQ(power.calls.back(), "reboot");
    EXPECT_EQ(window->scheduleList().rowCount(), 0);
    EXPECT_TRUE(tray.notices.isEmpty());

    // A refused action is reported beside the tray icon, not taken for done.
    power.result = PowerResult::refused("access denied");
    prompt.willAnswer(Prompt::Answer::Ok);
    quickSchedule(QStringLiteral("Shut Down"), QStringLiteral("Now"));
    ASSERT_EQ(tray.notices.size(), 1);
    EXPECT_TRUE(tray.notices.first().second.contains(QStringLiteral("Shut Down")));
    EXPECT_TRUE(tray.notices.first().second.contains(QStringLiteral("access denied")));
}

TEST_F(MainWindowTest, KeepAwakeBoxIsClearedAndExplainedWhenTheSystemRefuses) {
    start();
    auto *box = control<QCheckBox>("chkLowPower");
    const QPoint mark(6, box->height() / 2);
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(prompt.questions().isEmpty());
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);

    power.result = PowerResult::refused("org.freedesktop.login1.NoSuchInhibitor: refused");
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions().first().icon, Prompt::Icon::Warning);
    EXPECT_TRUE(prompt.questions().first().text.startsWith(languages->getMessages("MSG_NOSLEEPBLOCK")));
    EXPECT_TRUE(prompt.questions().first().text.endsWith("refused"));
    EXPECT_EQ(power.calls.back(), "setSleepBlocked(true)");
}

TEST_F(MainWindowTest, TypedQuickScheduleTextsAddRowsThatNeverRun) {
    start();
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 15 Minutes"));
    ASSERT_EQ(window->scheduleList().rowCount(), 1);
    EXPECT_TRUE(window->scheduleList().row(0).nextRunTime.isEmpty());
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 12 Hours"));
    EXPECT_EQ(window->scheduleList().row(1).nextRunTime, QStringLiteral("6/11/2026 02:20:30"));
}

TEST_F(MainWindowTest, TrayIconIsRetriedEveryFiveSecondsUntilItIsThere) {
    tray.acceptAdd = false;
    start();
    EXPECT_EQ(window->trayIconTimer().interval(), TrayRetryInterval);
    EXPECT_TRUE(window->trayIconTimer().isActive());
    tray.acceptAdd = true;
    window->trayIconTimer().start(1);
    // Once the icon is there nothing refreshes it: the program sleeps.
    QTRY_VERIFY(!window->trayIconTimer().isActive());
    EXPECT_TRUE(tray.present);
    // A click or a context click pops the tray menu up; a double click shows the hidden window.
    window->hide();
    emit tray.clicked();
    EXPECT_TRUE(window->trayMenu()->isVisible());
    window->trayMenu()->hide();
    emit tray.contextClicked();
    EXPECT_TRUE(window->trayMenu()->isVisible());
    window->trayMenu()->hide();
    EXPECT_FALSE(window->isVisible());
    emit tray.doubleClicked();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMaximized()); // a double click keeps the window's state
    window->hide();
    choose("mnuTrayItem", 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMaximized());
}

TEST_F(MainWindowTest, CommandsOpenTheirWindowsAndTheActionMenuDoesNothing) {
    start();
    opened.clear();
    clickButton("cmdWebsite");
    choose("mnuFileItem", 4);
    for (QAction *item : window->findChildren<QAction *>(QStringLiteral("mnuActionItem")))
        item->trigger();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("website Website"), QStringLiteral("options")}));
    EXPECT_EQ(window->findChildren<QAction *>(QStringLiteral("mnuActionItem")).size(), 5);
    EXPECT_FALSE(window->trayMenu()->menuAction()->isVisible() &&
                 window->menuBar()->actions().contains(window->trayMenu()->menuAction()));
}

} // namespace
