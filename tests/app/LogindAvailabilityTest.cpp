// The main window against python3-dbusmock's logind on a private bus: what a session may do
// unattended, seen where the user looks (the list's marks, the wizard's question, the tray's
// next run); the password prompt allowed for what the user starts, never for a schedule's own
// run; and a wake from sleep that makes the run slept through a line of the history at once.

#include "app/MainWindowFixture.h"
#include "app/WindowOpeners.h"
#include "editor/ScheduleWizard.h"
#include "power/LogindPowerBackend.h"
#include "support/LogindBus.h"
#include "support/ScheduleRecords.h"

#include <QDBusVariant>
#include <QSignalSpy>

namespace vesperon::test {

namespace {

class LogindAvailabilityTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
        ASSERT_TRUE(logind.startBus());
        ASSERT_TRUE(logind.startLogind(R"({"CanPowerOff": "challenge", "CanSuspend": "na"})",
                                       dir.filePath(u"logind.log"_s)));
        backend = std::make_unique<LogindPowerBackend>(logind.bus());
        seams = std::make_unique<MainWindowSeams>(MainWindowSeams{
            clock, prompt, shell, tray, *backend, *settings, *languages, values, AppFolder(dir.path())});
    }
    void TearDown() override { window.reset(); }
    QVariant typeCell(int row, int role) const {
        return window->scheduleList().index(row, ScheduleListModel::TypeColumn).data(role);
    }
    QString note(const char *key, const char *action) const {
        return languages->getMessages(QLatin1String(key)).arg(QLatin1String(action));
    }

    LogindBus logind;
    std::unique_ptr<LogindPowerBackend> backend;
};

TEST_F(LogindAvailabilityTest, ActionsLogindWillNotRunUnattendedAreMarkedWhereTheUserLooks) {
    start();
    installWizard(*window, *seams);
    for (const auto &[name, type] :
         {std::pair{"Nightly", "Shut Down"}, {"Nap", "Stand by"}, {"Restart", "Reboot"}})
        window->scheduleList().appendRow(quickRow(name, type, "6/10/2026 22:00:00"));
    QSignalSpy repaint(&window->scheduleList(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return typeCell(0, Qt::ToolTipRole).isValid(); }, 10000));
    // The marks show at once: the Type cells down to the last row are announced as changed.
    ASSERT_FALSE(repaint.isEmpty());
    EXPECT_EQ(repaint.last().at(1).value<QModelIndex>().row(), 2);
    EXPECT_FALSE(typeCell(0, Qt::DecorationRole).isNull()); // the warning icon
    EXPECT_EQ(typeCell(0, Qt::ToolTipRole).toString(), note("MSG_NEEDSPASSWORD", "Shut Down"));
    EXPECT_EQ(typeCell(1, Qt::ToolTipRole).toString(), note("MSG_NOTHERE", "Stand by"));
    EXPECT_FALSE(typeCell(2, Qt::ToolTipRole).isValid() || typeCell(2, Qt::DecorationRole).isValid());
    EXPECT_TRUE(
        window->runGuard().nextActionText().endsWith(languages->getMessages("MSG_NEEDSPASSWORDSHORT")));

    // The wizard asks before it saves a shut down nobody could confirm; No keeps it open.
    clickButton("cmdNewSchedule");
    auto *wizard = window->findChild<ScheduleWizard *>(u"frmWizard"_s);
    ASSERT_NE(wizard, nullptr);
    wizard->findChild<QLineEdit *>(u"txtName"_s)->setText(u"Late"_s);
    wizard->findChild<QCheckBox *>(u"chkScheduler"_s)->setChecked(true);
    auto *actions = wizard->findChild<QComboBox *>(u"cbShutdown"_s);
    actions->setCurrentText(u"Shut Down"_s);
    auto *ok = wizard->findChild<QPushButton *>(u"cmdOK"_s);
    prompt.willAnswer(Prompt::Answer::No);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.startsWith(note("MSG_NEEDSPASSWORD", "Shut Down")));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"data/Late.sch"_s)));
    actions->setCurrentText(u"Reboot"_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath(u"data/Late.sch"_s)));
}

TEST_F(LogindAvailabilityTest, OnlyWhatTheUserStartsMayAskForAPassword) {
    setUser("WarningLeadSeconds", u"0"_s);
    start();
    quickSchedule("Shut Down", "Now"); // the prompt answers Ok
    window->scheduleList().appendRow(quickRow("Nightly", "Shut Down", "6/10/2026 14:22:00"));
    reach(QTime(14, 22));
    QStringList calls; // as logind received them: "PowerOff True"
    for (const QByteArray &line : readBytes(dir.filePath(u"logind.log"_s)).split('\n'))
        if (line.contains(" PowerOff "))
            calls << QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
    EXPECT_EQ(calls, (QStringList{"PowerOff True", "PowerOff False"}));

    // A refusal says what it means in words; the D-Bus name is only the detail below.
    ASSERT_TRUE(logind.replaceMethod(
        u"PowerOff"_s, u"b"_s, QString(),
        u"raise dbus.exceptions.DBusException('Interactive authentication "
        "required.', name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')"_s));
    quickSchedule("Shut Down", "Now");
    ASSERT_EQ(tray.notices.size(), 1);
    EXPECT_TRUE(
        tray.notices[0].second.contains(note("MSG_NEEDSPASSWORD", "Shut Down") +
                                        u"\n\norg.freedesktop.DBus.Error.InteractiveAuthorizationRequired"_s))
        << tray.notices[0].second.toStdString();
}

TEST_F(LogindAvailabilityTest, AWakeAfterARunsMinuteRecordsItMissedAsleepAtOnce) {
    setUser("WarningLeadSeconds", u"0"_s);
    start();
    window->scheduleList().appendRow(quickRow("Nightly", "Shut Down", "6/10/2026 22:00:00"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->cycle().tmrScheduler().interval() > 0; }, 5000));
    clock.set(QDateTime(QDate(2026, 6, 10), QTime(22, 30))); // slept through 22:00
    ASSERT_EQ(logind
                  .mockCall(u"EmitSignal"_s, {u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s,
                                              u"b"_s, QVariantList{QVariant::fromValue(QDBusVariant(false))}})
                  .type(),
              QDBusMessage::ReplyMessage);
    // Well before the scan's own wake-up at the next minute of the real timer; not performed.
    const RunHistory &history = window->runGuard().history();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !history.lines().isEmpty(); }, 5000));
    EXPECT_EQ(history.lines(),
              QStringList{"2026-06-10T22:30:00\tmissed (asleep)\tShut Down\tNightly\t2026-06-10T22:00:00"});
}

} // namespace

} // namespace vesperon::test
