// What a session may do unattended, as python3-dbusmock's logind (on a private bus) answers it,
// seen where the user looks: the list's marks, the wizard's question, the tray's next run; and
// the password prompt allowed for what the user starts, never for a schedule's own run.

#include "app/MainWindowFixture.h"
#include "app/RunGuard.h"
#include "app/WindowOpeners.h"
#include "editor/ScheduleWizard.h"
#include "power/LogindPowerBackend.h"
#include "schedule/SchedulerCycle.h"
#include "support/LogindBus.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
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
    void TearDown() override {
        window.reset();
        backend.reset();
    }
    // The power requests logind received ("PowerOff True").
    QStringList powerCalls() const {
        QFile file(dir.filePath(QStringLiteral("logind.log")));
        QStringList calls;
        for (const QByteArray &line :
             file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QByteArrayList())
            if (line.contains(" PowerOff "))
                calls << QString::fromUtf8(line.mid(line.indexOf(' ') + 1));
        return calls;
    }
    QVariant typeCell(int row, int role) const {
        const ScheduleListModel &model = window->scheduleList();
        return model.data(model.index(row, ScheduleListModel::TypeColumn), role);
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
        window->scheduleList().appendRow(
            ScheduleRow{name, type, {}, QStringLiteral("6/10/2026 22:00:00"), QStringLiteral("Yes"), false});
    QSignalSpy repaint(&window->scheduleList(), &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(QTest::qWaitFor([&] { return typeCell(0, Qt::ToolTipRole).isValid(); }, 10000));
    // The list shows the marks at once: every row's Type cell is announced as changed.
    ASSERT_FALSE(repaint.isEmpty());
    const auto from = repaint.last().at(0).value<QModelIndex>(),
               to = repaint.last().at(1).value<QModelIndex>();
    EXPECT_EQ(std::tuple(from.row(), from.column(), to.row(), to.column()),
              std::tuple(0, int(ScheduleListModel::TypeColumn), 2, int(ScheduleListModel::TypeColumn)));
    EXPECT_EQ(typeCell(0, Qt::ToolTipRole).toString(), note("MSG_NEEDSPASSWORD", "Shut Down"));
    EXPECT_EQ(typeCell(1, Qt::ToolTipRole).toString(), note("MSG_NOTHERE", "Stand by"));
    EXPECT_FALSE(typeCell(0, Qt::DecorationRole).isNull());
    EXPECT_FALSE(typeCell(2, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(typeCell(2, Qt::DecorationRole).isValid());
    EXPECT_TRUE(
        window->runGuard().nextActionText().endsWith(languages->getMessages("MSG_NEEDSPASSWORDSHORT")))
        << window->runGuard().nextActionText().toStdString();

    // The wizard asks before it saves a shut down nobody could confirm; No keeps it open.
    clickButton("cmdNewSchedule");
    auto *wizard = window->findChild<ScheduleWizard *>(QStringLiteral("frmWizard"));
    ASSERT_NE(wizard, nullptr);
    wizard->findChild<QLineEdit *>(QStringLiteral("txtName"))->setText(QStringLiteral("Late"));
    auto *actions = wizard->findChild<QComboBox *>(QStringLiteral("cbShutdown"));
    actions->setCurrentText(QStringLiteral("Shut Down"));
    EXPECT_EQ(actions->toolTip(), note("MSG_NEEDSPASSWORD", "Shut Down"));
    wizard->findChild<QCheckBox *>(QStringLiteral("chkScheduler"))->setChecked(true);
    prompt.willAnswer(Prompt::Answer::No);
    QTest::mouseClick(wizard->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    ASSERT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(prompt.questions()[0].text.startsWith(note("MSG_NEEDSPASSWORD", "Shut Down")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("data/Late.sch"))));
    actions->setCurrentText(QStringLiteral("Reboot"));
    QTest::mouseClick(wizard->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    EXPECT_EQ(prompt.questions().size(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("data/Late.sch"))));
}

TEST_F(LogindAvailabilityTest, OnlyWhatTheUserStartsMayAskForAPassword) {
    setUser("WarningLeadSeconds", QStringLiteral("0"));
    start();
    const auto shutDownNow = [this] {
        auto *actions = control<QComboBox>("cbShutdown");
        actions->setCurrentIndex(actions->findText(QStringLiteral("Shut Down")));
        control<QComboBox>("cmbTime")->setCurrentText(QStringLiteral("Now"));
        prompt.willAnswer(Prompt::Answer::Ok);
        clickButton("cmdGo");
    };
    shutDownNow();
    window->scheduleList().appendRow(ScheduleRow{QStringLiteral("Nightly"),
                                                 QStringLiteral("Shut Down"),
                                                 {},
                                                 QStringLiteral("6/10/2026 14:22:00"),
                                                 QStringLiteral("Yes"),
                                                 false});
    clock.set(QDateTime(QDate(2026, 6, 10), QTime(14, 22)));
    window->cycle().tmrScheduler_Timer();
    window->cycle().tmrProcessSchedule_Timer();
    window->cycle().timSchedule_Timer();
    EXPECT_EQ(powerCalls(), (QStringList{"PowerOff True", "PowerOff False"}));

    // A refusal says what it means in words; the D-Bus name is only the detail below.
    ASSERT_TRUE(logind.replaceMethod(
        u"PowerOff"_s, u"b"_s, QString(),
        u"raise dbus.exceptions.DBusException('Interactive authentication "
        "required.', name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')"_s));
    shutDownNow();
    ASSERT_EQ(tray.notices.size(), 1);
    const QStringList told = tray.notices.first().second.split(QStringLiteral("\n\n"));
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].endsWith(note("MSG_NEEDSPASSWORD", "Shut Down"))) << told[0].toStdString();
    EXPECT_TRUE(
        told[1].startsWith(QStringLiteral("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")));
}

} // namespace

} // namespace vesperon::test
