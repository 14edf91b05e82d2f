// The main window over recorded seams: its start, its closes, its commands and list, the tray,
// the warning before a run and the next run, and a desktop without a tray. (A second start
// handing over to the running copy is seen end to end by run-e2e.sh.)

#include "MainWindowFixture.h"
#include "app/ActionWarningWindow.h"
#include "app/MainWindowRules.h"
#include "app/StillRunningPrompt.h"
#include "app/WindowOpeners.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"

#include <QHeaderView>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTreeView>
#include <QWindow>

using namespace vesperon;

namespace {

class MainWindowTest : public test::MainWindowFixture {
protected:
    bool enabled(const char *button) { return control<QAbstractButton>(button)->isEnabled(); }
    void addRun(const char *name, const char *time) {
        window->scheduleList().appendRow(test::quickRow(name, u"Shut Down"_s, u"6/10/2026 "_s + time));
    }
    void answerWarning(const char *button) {
        ActionWarningWindow *warning = window->runGuard().warningWindow();
        ASSERT_NE(warning, nullptr);
        QTest::mouseClick(warning->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    HistoryEntry::Outcome lastOutcome() { return window->runGuard().history().entries().last().outcome; }
    void restart() {
        window.reset();
        opened.clear();
        start();
    }
};

TEST_F(MainWindowTest, FirstStartAsksForALanguageAndOpensTheHelpOnce) {
    start();
    EXPECT_EQ(opened, (QStringList{u"language modal"_s, u"help"_s}));
    restart(); // the language and the help were recorded as seen
    EXPECT_TRUE(opened.isEmpty());

    setProgram("chkMin", u"1"_s); // started minimized to the tray: only the icon is there
    restart();
    EXPECT_TRUE(tray.present && !window->isVisible());
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
// hides silently from then on; "always exit" ends the program now and is kept for every close.
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
    EXPECT_EQ(program("chkAlwaysExit"), u"1"_s);
}

// Exit from the menu never asks, and keeps the list's column widths for the next start.
TEST_F(MainWindowTest, ExitKeepsTheColumnWidthsWithoutAsking) {
    setUser("BackupSetColumn1", u"1234.6"_s);
    setUser("BackupSetColumn2", u"32768"_s); // past what a width can be
    setUser("BackupSetColumn5", u"not a width"_s);
    start();
    control<QTreeView>("lstSchedules")->header()->resizeSection(2, 200);
    choose("mnuFileItem", 6);
    EXPECT_TRUE(unloadCount == 1 && !window->stillRunningPrompt());
    EXPECT_EQ(user("BackupSetColumn1"), u"1235"_s);
    EXPECT_EQ(user("BackupSetColumn2"), QString::number(ColumnDesignTwips[1]));
    EXPECT_EQ(user("BackupSetColumn3"), u"3000"_s);
    EXPECT_EQ(user("BackupSetColumn5"), QString::number(ColumnDesignTwips[4]));
}

// Edit needs a row with a schedule file, Delete any row but what an administrator deployed;
// Delete asks first and removes the file only on Yes.
TEST_F(MainWindowTest, RowClicksSetTheCommandsAndDeleteAsksFirst) {
    const QString file = scheduleFilePath(dataFolder(), u"Nightly"_s), managed = dir.filePath(u"etc"_s);
    ASSERT_TRUE(QDir().mkpath(managed));
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Nightly"_s, u"Shut Down"_s, u"6/10/2026"_s, u"22:00:00"_s), dataFolder()));
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Lab"_s, u"Shut Down"_s, u"6/10/2026"_s, u"22:00:00"_s), managed));
    seams->folder.setManagedDataFolders({managed});
    start();
    quickSchedule("Reboot", "In 1 Hour");
    clickRow(2);
    EXPECT_FALSE(enabled("cmdEdit"));
    EXPECT_TRUE(enabled("cmdDelete"));
    window->reloadSchedules(); // leaves no row selected: nothing to delete
    EXPECT_FALSE(enabled("cmdDelete"));
    clickRow(1);
    EXPECT_FALSE(enabled("cmdEdit") || enabled("cmdDelete"));
    clickRow(0);
    prompt.willAnswer(Prompt::Answer::No);
    clickButton("cmdDelete");
    EXPECT_TRUE(FileExists(file));
    prompt.willAnswer(Prompt::Answer::Yes);
    clickButton("cmdDelete");
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(window->scheduleList().rowCount(), 1);
}

// A quick schedule runs in its minute; a typed delay that is no delay adds a row that never runs.
// "Now" asks first, performs only on Ok and adds no row.
TEST_F(MainWindowTest, QuickScheduleRunsInItsMinuteAndNowOnlyOnOk) {
    start();
    prompt.willAnswer(Prompt::Answer::Cancel);
    quickSchedule("Reboot", "Now");
    quickSchedule("Reboot", "In 1 Minute");
    EXPECT_EQ(window->scheduleList().row(0).nextRunTime, u"6/10/2026 14:21:30"_s);
    reach(QTime(14, 21));
    EXPECT_EQ(power.calls, std::vector<std::string>{"reboot"});
    quickSchedule("Reboot", "In 15 Minutes");
    EXPECT_TRUE(window->scheduleList().row(1).nextRunTime.isEmpty());
    quickSchedule("Reboot", "In 12 Hours");
    EXPECT_EQ(window->scheduleList().row(2).nextRunTime, u"6/11/2026 02:21:00"_s);
    QTest::keyClick(control<QComboBox>("cbShutdown"), Qt::Key_Return); // Return in the action box is Go
    prompt.willAnswer(Prompt::Answer::Ok);
    quickSchedule("Shut Down", "Now");
    EXPECT_EQ(power.calls, (std::vector<std::string>{"reboot", "powerOff"}));
    EXPECT_EQ(window->scheduleList().rowCount(), 4);
}

// The keep-awake box holds the system awake; a box the system refuses is cleared and explained.
TEST_F(MainWindowTest, KeepAwakeBoxIsClearedAndExplainedWhenTheSystemRefuses) {
    start();
    auto *box = control<QCheckBox>("chkLowPower");
    box->click();
    box->click();
    EXPECT_EQ(power.calls, (std::vector<std::string>{"setSleepBlocked(true)", "setSleepBlocked(false)"}));
    power.result = PowerResult::refused("refused");
    box->click();
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
    EXPECT_TRUE(window->isVisible() && !window->isMaximized()); // a double click keeps the window's state
    window->hide();
    choose("mnuTrayItem", 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->menuBar()->actions().contains(window->trayMenu()->menuAction())); // not on the bar
}

// A schedule file that cannot be read is listed with the note of the language in use.
TEST_F(MainWindowTest, AnUnreadableScheduleIsListedWithTheTranslatedNote) {
    ASSERT_TRUE(QDir().mkpath(dataFolder()));
    test::writeBytes(scheduleFilePath(dataFolder(), u"Big"_s), QByteArray(4 * MaxScheduleFileChars + 1, ' '));
    languages->setMessage(u"MSG_UNREADABLE"_s, u"(nicht lesbar)"_s);
    start();
    EXPECT_EQ(window->scheduleList().index(0, ScheduleListModel::TypeColumn).data(), u"(nicht lesbar)"_s);
}

// Off Windows the help is the HTML guide (from a build, in the application folder), never Help.chm.
TEST_F(MainWindowTest, HelpOpensTheHtmlGuide) {
    notFirstStart();
    installPresentationWindows(start(), *seams);
    const QString guide = dir.filePath(u"help/index.html"_s);
    ASSERT_TRUE(QDir().mkpath(dir.filePath(u"help"_s)));
    test::writeBytes(guide, "guide");
    test::writeBytes(dir.filePath(u"Help.chm"_s), "chm");
    window->openers().help();
    EXPECT_EQ(shell.opened, QStringList{guide});
}

// The Options command opens General Preferences loaded, and a fresh one after closing; the program's end
// takes an open one with it.
TEST_F(MainWindowTest, OptionsCommandOpensOneLoadedWindowAndAFreshOneAfterClosing) {
    setProgram("chkNoShow", u"1"_s);
    installOptions(start(), *seams, QIcon());
    const auto chooseOptions = [this] { // the options windows in sight
        choose("mnuFileItem", 4);
        QList<QWidget *> found = topLevels("frmOptions");
        found.removeIf([](const QWidget *options) { return !options->isVisible(); });
        return found;
    };
    const QList<QWidget *> first = chooseOptions();
    ASSERT_EQ(first.size(), 1);
    EXPECT_TRUE(first[0]->findChild<QCheckBox *>(u"chkNoShow"_s)->isChecked());
    first[0]->close();
    const QList<QWidget *> second = chooseOptions(); // while the closed one still waits to go
    ASSERT_EQ(second.size(), 1);
    EXPECT_NE(second, first);
    QPointer<QWidget> open = second[0];
    window.reset();
    EXPECT_TRUE(open.isNull());
}

TEST_F(MainWindowTest, AHiddenWindowStaysHiddenWhileTheWarningIsAnsweredWithoutTakingTheFocus) {
    setProgram("chkMin", u"1"_s);
    start();
    addRun("Nightly", "14:22:00");
    addRun("Later", "14:25:00");
    reach(QTime(14, 21));
    ActionWarningWindow *warning = window->runGuard().warningWindow();
    ASSERT_TRUE(warning && warning->isVisible() && warning->windowHandle());
    // The offscreen platform activates every shown window, so what can be checked here is what
    // the window asks of the window system: never to be given the keyboard focus.
    EXPECT_TRUE(warning->windowHandle()->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(warning->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(tray.announcements.value(0).second, warning->text());
    clock.set(QDateTime(QDate(2026, 6, 10), QTime(14, 21, 30))); // the countdown follows the clock
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return warning->findChild<QLabel *>(u"lblWarning"_s)->text().contains(u"0:30"_s); }));

    answerWarning("cmdCancelRun");
    EXPECT_EQ(lastOutcome(), HistoryEntry::Outcome::Skipped);
    reach(QTime(14, 22));
    EXPECT_TRUE(power.calls.empty());

    reach(QTime(14, 24));
    answerWarning("cmdDoItNow");
    EXPECT_EQ(power.calls, std::vector<std::string>{"powerOff"});
    reach(QTime(14, 25));
    EXPECT_EQ(power.calls.size(), 1u);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowTest, TheNextRunIsInTheTooltipAndStatusLineAndTheTrayMenuSkipsIt) {
    start();
    addRun("Nightly", "14:22:00");
    EXPECT_TRUE(tray.tooltip.endsWith(u"2:22 PM — Nightly"_s));
    EXPECT_EQ(window->statusBar()->findChild<QLabel *>()->text(), tray.tooltip.section('\n', 1));
    choose("mnuTraySkip", 0);
    EXPECT_EQ(tray.tooltip, u"Vesperon"_s);
    reach(QTime(14, 22));
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(MainWindowTest, ARefusalIsShownInABoxWhenNoTrayIconCanShowIt) {
    tray.acceptAdd = false; // no tray host runs
    start();
    power.result = PowerResult::refused("org.freedesktop.DBus.Error.AccessDenied: not allowed");
    addRun("Nightly", "14:22:00");
    reach(QTime(14, 22));
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.endsWith("org.freedesktop.DBus.Error.AccessDenied: not allowed"));
    EXPECT_EQ(lastOutcome(), HistoryEntry::Outcome::Refused);
}

TEST_F(MainWindowTest, WithoutATrayTheWindowMinimizesInsteadOfHidingAndSaysSoOnce) {
    tray.acceptAdd = false;
    setProgram("chkMin", u"1"_s); // "open minimized to the tray" cannot hide either
    start();
    EXPECT_TRUE(window->isVisible());
    for (int close = 0; close < 2; ++close) {
        window->bringToFront();
        EXPECT_FALSE(window->isMinimized());
        window->close();
        EXPECT_TRUE(window->isVisible() && window->isMinimized() && unloadCount == 0);
        EXPECT_EQ(window->stillRunningPrompt(), nullptr); // it would speak of the tray
    }
    EXPECT_EQ(prompt.questions().size(), 1);
}

// A system shutdown ends the program without a prompt, and for good; so does a close once
// "always exit" is kept.
TEST(decideClose, ASystemShutdownEndsTheProgramWithoutAPromptAndForGood) {
    bool exitRequested = false;
    CloseDecision d = decideClose(CloseReason::User, exitRequested, u"1"_s, u"0"_s);
    EXPECT_TRUE(d.proceed && !d.showPrompt && !exitRequested);
    d = decideClose(CloseReason::SystemShutdown, exitRequested, u"0"_s, u"0"_s);
    EXPECT_TRUE(d.proceed && !d.hide && !d.showPrompt && exitRequested);
    d = decideClose(CloseReason::User, exitRequested, u"0"_s, u"0"_s);
    EXPECT_TRUE(d.proceed);
}

} // namespace
