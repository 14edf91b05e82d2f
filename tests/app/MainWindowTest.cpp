#include "MainWindowFixture.h"
#include "app/StillRunningPrompt.h"
#include "schedule/ScheduleFile.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
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
    EXPECT_EQ(tray.calls, (QStringList{QStringLiteral("modify"), QStringLiteral("add")}));

    window.reset();
    opened.clear();
    start();
    EXPECT_TRUE(opened.isEmpty()) << opened.join(QStringLiteral(", ")).toStdString();

    // The help is only for English; another language records it as shown all the same.
    setUser("Language", QStringLiteral("Deutsch"));
    setUser("showHelp", QStringLiteral("1"));
    window.reset();
    start();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(user("showHelp"), QStringLiteral("0"));

    setProgram("chkMin", QStringLiteral("1")); // started minimized to the tray: never shown
    window.reset();
    start();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(tray.present);
    // Nobody is there to answer a Permission Denied prompt for a program started in the tray.
    const int asked = prompt.questions().size();
    settingsStore.failWrites(settings::SettingsScope::Program, settings::StoreWrite::accessDenied());
    settings->program().setValue(settings::keys::chkSplash, QStringLiteral("1"));
    EXPECT_EQ(prompt.questions().size(), asked);
}

// Hibernate comes first where the system can hibernate, even when it answers after the window
// is up, but does not override what the user picked meanwhile.
TEST_F(MainWindowTest, ALateHibernationAnswerStillPutsHibernateFirstWithoutOverridingTheUser) {
    start();
    EXPECT_EQ(control<QComboBox>("cbShutdown")->count(), 4);
    window.reset();
    power.hibernationAvailable = true;
    power.answerLater = true;
    start();
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
    window.reset();
    power.answerCanHibernate(); // to a window that is gone
}

// Closing hides to the tray and reminds; Return takes the reminder's Ok. "Don't show again"
// hides silently from then on; "always exit" ends the program now and on every close.
TEST_F(MainWindowTest, ClosingHidesToTheTrayAndTheReminderDecidesTheNextCloses) {
    start();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(unloadCount, 0);
    StillRunningPrompt *reminder = window->stillRunningPrompt();
    ASSERT_NE(reminder, nullptr);
    EXPECT_TRUE(reminder->isVisible());
    reminder->findChild<QCheckBox *>(QStringLiteral("chkNoShow"))->setChecked(true);
    QTest::keyClick(reminder, Qt::Key_Return);
    EXPECT_FALSE(reminder->isVisible());
    EXPECT_EQ(program("chkNoShow"), QStringLiteral("1"));
    EXPECT_EQ(program("chkAlwaysExit", "0"), QStringLiteral("0"));
    window->show();
    window->close();
    EXPECT_EQ(unloadCount, 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(!window->stillRunningPrompt() || !window->stillRunningPrompt()->isVisible());

    setProgram("chkNoShow", QStringLiteral("0"));
    window.reset();
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
    for (const bool fromTray : {false, true}) {
        const int before = unloadCount;
        start();
        choose(fromTray ? "mnuTrayItem" : "mnuFileItem", fromTray ? 3 : 6);
        EXPECT_EQ(unloadCount, before + 1) << fromTray;
        EXPECT_EQ(window->stillRunningPrompt(), nullptr);
        EXPECT_FALSE(tray.present);
        window.reset();
    }
}

TEST_F(MainWindowTest, ColumnWidthsSurviveARestart) {
    setUser("BackupSetColumn1", QStringLiteral("1234.6"));
    setUser("BackupSetColumn2", QStringLiteral("32768")); // past what a width can be
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
}

// Edit needs a row with a schedule file, Delete any row; Delete asks first and removes the
// file only on Yes.
TEST_F(MainWindowTest, RowClicksSetTheCommandsAndDeleteAsksFirst) {
    saveSchedule(QStringLiteral("Nightly"));
    start();
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(deleteEnabled());
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 1 Hour"));
    clickRow(1);
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(fileItem(1)->isEnabled());
    EXPECT_TRUE(fileItem(2)->isEnabled());

    // A reload leaves no row selected: nothing to delete.
    window->reloadSchedules();
    EXPECT_FALSE(deleteEnabled());

    clickRow(0);
    EXPECT_TRUE(editEnabled());
    EXPECT_TRUE(fileItem(1)->isEnabled());
    EXPECT_EQ(window->currentSchedule().StartTime, QStringLiteral("22:00:00"));
    clickButton("cmdEdit");
    choose("mnuFileItem", 0);
    EXPECT_EQ(opened.mid(opened.size() - 2),
              (QStringList{QStringLiteral("wizard edit"), QStringLiteral("wizard new")}));

    prompt.willAnswer(Prompt::Answer::No);
    clickButton("cmdDelete");
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_EQ(prompt.questions().first().buttons, Prompt::Buttons::YesNo);
    EXPECT_TRUE(FileExists(scheduleFilePath(dataFolder(), QStringLiteral("Nightly"))));
    prompt.willAnswer(Prompt::Answer::Yes);
    clickButton("cmdDelete");
    EXPECT_FALSE(FileExists(scheduleFilePath(dataFolder(), QStringLiteral("Nightly"))));
    EXPECT_EQ(window->scheduleList().rowCount(), 0);
    EXPECT_FALSE(editEnabled());
    EXPECT_FALSE(deleteEnabled());
    clickButton("cmdDelete"); // nothing selected: nothing asked
    EXPECT_EQ(prompt.questions().size(), 2);
}

// A quick schedule runs in its minute; a typed delay that is no delay adds a row that never runs.
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

    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 15 Minutes"));
    EXPECT_TRUE(window->scheduleList().row(1).nextRunTime.isEmpty());
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("In 12 Hours"));
    EXPECT_EQ(window->scheduleList().row(2).nextRunTime, QStringLiteral("6/11/2026 02:21:00"));
}

// However long the address, the web-site caption keeps the window's font (the style shortens
// the address instead) and the whole address is its tooltip.
TEST_F(MainWindowTest, TheWebsiteCaptionKeepsTheFontAndTheWholeAddressIsItsTooltip) {
    values.Website = QStringLiteral("http://a-rather-long-address.quillmark.example");
    start();
    auto *button = control<QAbstractButton>("cmdWebsite");
    EXPECT_EQ(button->font().pointSizeF(), QApplication::font(button).pointSizeF());
    EXPECT_EQ(button->toolTip(), values.Website);
}

TEST_F(MainWindowTest, NowAsksAndPerformsOnlyOnOk) {
    start();
    power.calls.clear();
    prompt.willAnswer(Prompt::Answer::Cancel);
    quickSchedule(QStringLiteral("Reboot"), QStringLiteral("Now"));
    EXPECT_TRUE(power.calls.empty());
    EXPECT_EQ(prompt.questions().last().text, languages->getMessages("MSG_SURE"));
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
    EXPECT_EQ(power.calls.back(), "setSleepBlocked(true)");
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_EQ(power.calls.back(), "setSleepBlocked(false)");
    EXPECT_TRUE(prompt.questions().isEmpty());

    power.result = PowerResult::refused("org.freedesktop.login1.NoSuchInhibitor: refused");
    QTest::mouseClick(box, Qt::LeftButton, {}, mark);
    EXPECT_FALSE(box->isChecked());
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions().first().text.startsWith(languages->getMessages("MSG_NOSLEEPBLOCK")));
    EXPECT_TRUE(prompt.questions().first().text.endsWith("refused"));
}

// The icon is retried while it is missing and nothing refreshes it once it is there. A click
// or a context click pops the tray menu up; a double click or Open shows the hidden window.
TEST_F(MainWindowTest, TheTrayIconIsRetriedUntilItIsThereAndItsClicksWork) {
    tray.acceptAdd = false;
    start();
    EXPECT_TRUE(window->trayIconTimer().isActive());
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
    EXPECT_FALSE(window->isVisible());
    emit tray.doubleClicked();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMaximized()); // a double click keeps the window's state
    window->hide();
    choose("mnuTrayItem", 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, CommandsOpenTheirWindowsAndTheActionMenuDoesNothing) {
    start();
    opened.clear();
    clickButton("cmdWebsite");
    choose("mnuFileItem", 4);
    for (QAction *item : window->findChildren<QAction *>(QStringLiteral("mnuActionItem")))
        item->trigger();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("website Website"), QStringLiteral("options")}));
}

} // namespace
