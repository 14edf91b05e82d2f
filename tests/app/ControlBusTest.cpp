// Scripts drive the running program over a private session bus: through gdbus and through the
// program's own command-line verbs, run as the real binary.

#include "app/ControlBus.h"
#include "app/ControlAdaptor.h"
#include "app/MainWindowFixture.h"
#include "app/RunGuard.h"
#include "schedule/ScheduleFile.h"
#include "support/LogindBus.h"
#include "support/ScheduleRecords.h"

#include <QXmlStreamReader>

namespace vesperon::test {

namespace {

// What an introspection document says of the program's interface, one entry per member with
// its arguments' types, "<" after one received and ">" after one sent.
QStringList members(const QString &xml) {
    QStringList found;
    bool ours = false;
    for (QXmlStreamReader reader(xml); !reader.atEnd();) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attribute = [&](const char *name) {
            return reader.attributes().value(QLatin1String(name)).toString();
        };
        if (reader.name() == u"interface"_s)
            ours = attribute("name") == controlbus::Interface;
        else if (ours && (reader.name() == u"method"_s || reader.name() == u"signal"_s))
            found << reader.name().toString() + u' ' + attribute("name") + u':';
        else if (ours && reader.name() == u"arg"_s)
            found.last() += attribute("type") + (attribute("direction") == u"in"_s ? u'<' : u'>');
    }
    found.sort();
    return found;
}

class WarningCatcher : public QObject {
    Q_OBJECT
public:
    QList<QStringList> caught;
public slots:
    void warned(const QString &action, const QString &name, const QString &isoTime) {
        caught << QStringList{action, name, isoTime};
    }
};

class ControlBusTest : public MainWindowFixture {
protected:
    LogindBus session; // a private session bus: the running copy's name is published there
    std::unique_ptr<ControlService> service;

    void SetUp() override {
        MainWindowFixture::SetUp();
        notFirstStart();
        ASSERT_TRUE(session.startBus());
        start();
        service = ControlService::publish(*window, session.bus());
        ASSERT_NE(service, nullptr);
    }

    struct Ran {
        int status = -1; // -1: did not start or did not end normally
        QString out, err;
    };
    Ran run(const QString &program, const QStringList &arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, session.address());
        environment.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
        return {process.error() == QProcess::UnknownError ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    Ran vesperon(const QStringList &arguments) { return run(QStringLiteral(VESPERON_BINARY), arguments); }
    Ran gdbus(const QString &command, const QStringList &tail) {
        return run(u"gdbus"_s, QStringList{command, "--address", session.address(), "-d", controlbus::Service,
                                           "-o", controlbus::Path} +
                                   tail);
    }
    Ran gdbusCall(const QString &method, const QStringList &arguments = {}) {
        return gdbus(u"call"_s, QStringList{"-m", controlbus::Interface + u'.' + method} + arguments);
    }
    int rows() const { return window->scheduleList().rowCount(); }
};

TEST_F(ControlBusTest, GdbusSeesTheListIsRefusedWhatTheBoxesDoNotOfferAndHearsTheWarning) {
    window->scheduleList().appendRow(quickRow(u"Nightly"_s, u"Reboot"_s, u"6/10/2026 22:00:00"_s));
    EXPECT_EQ(gdbusCall(u"ListSchedules"_s).out,
              u"([('Nightly', 'Reboot', '', '6/10/2026 22:00:00', 'Yes')],)\n"_s);
    // This computer cannot hibernate, and "In 7 Minutes" is no delay of the box: nothing added.
    EXPECT_TRUE(gdbusCall(u"QuickSchedule"_s, {u"Hibernate"_s, u"In 1 Hour"_s})
                    .err.contains(controlbus::UnknownAction));
    EXPECT_TRUE(gdbusCall(u"QuickSchedule"_s, {u"Shut Down"_s, u"In 7 Minutes"_s})
                    .err.contains(controlbus::UnknownDelay));
    EXPECT_EQ(rows(), 1);
    // The installed description says what the running program answers.
    QFile installed(QStringLiteral(VESPERON_INTERFACE_XML));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    const QStringList described = members(QString::fromUtf8(installed.readAll()));
    EXPECT_EQ(described.size(), 7);
    EXPECT_EQ(members(gdbus(u"introspect"_s, {u"--xml"_s}).out), described);

    WarningCatcher catcher;
    QDBusConnection listener = QDBusConnection::connectToBus(session.address(), u"listener"_s);
    ASSERT_TRUE(listener.connect(controlbus::Service, controlbus::Path, controlbus::Interface,
                                 u"ActionStarting"_s, &catcher, SLOT(warned(QString, QString, QString))));
    // A minute away is inside the warning's lead: it is shown, and sent, at once.
    EXPECT_EQ(gdbusCall(u"QuickSchedule"_s, {u"Shut Down"_s, u"In 1 Minute"_s}).status, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !catcher.caught.isEmpty(); }, 10000));
    EXPECT_EQ(catcher.caught, (QList<QStringList>{{"Shut Down", "Quick Schedule 6/10/2026 2:20:30 PM",
                                                   "2026-06-10T14:21:00"}}));
    QDBusConnection::disconnectFromBus(u"listener"_s);
}

TEST_F(ControlBusTest, TheVerbsReachTheRunningCopyAndSayWhenNoneRuns) {
    const Ran added = vesperon({u"--quick"_s, u"Shut Down"_s, u"In 1 Hour"_s});
    EXPECT_EQ(added.status, 0) << added.err.toStdString();
    ASSERT_EQ(rows(), 1);
    // Refused here (no hibernation on this computer) or already by the command line: status 2,
    // one line saying why, and nothing added.
    for (const QStringList &refused :
         {QStringList{"--quick", "Hibernate", "In 1 Hour"}, QStringList{"--quick", "Shut Down", "in 1 hour"},
          QStringList{"--prevent", "yes"}, QStringList{"--next", "--reload"}}) {
        const Ran bad = vesperon(refused);
        EXPECT_EQ(bad.status, 2) << refused.join(u' ').toStdString();
        EXPECT_EQ(bad.err.count(u'\n'), 1) << bad.err.toStdString();
    }
    EXPECT_EQ(rows(), 1);

    EXPECT_EQ(vesperon({u"--next"_s}).out,
              u"Shut Down\t2026-06-10T15:20:00\tQuick Schedule 6/10/2026 2:20:30 PM\n"_s);
    EXPECT_EQ(vesperon({u"--skip-next"_s}).status, 0);
    EXPECT_EQ(window->runGuard().history().entries().last().outcome, HistoryEntry::Outcome::Skipped);
    EXPECT_EQ(vesperon({u"--next"_s}).out, QString());

    EXPECT_EQ(vesperon({u"--prevent"_s, u"on"_s}).status, 0);
    EXPECT_TRUE(control<QCheckBox>("chkPrevent")->isChecked());

    ASSERT_FALSE(WriteScheduleFile(enabledSchedule(u"Nightly"_s, u"Reboot"_s, u"6/1/2026"_s, u"22:00:00"_s),
                                   dataFolder()));
    EXPECT_EQ(vesperon({u"--reload"_s}).status, 0);
    EXPECT_EQ(window->scheduleList().FindScheduleRow(u"Nightly"_s), 1);

    service.reset();
    const Ran gone = vesperon({u"--next"_s});
    EXPECT_EQ(gone.status, 3);
    EXPECT_EQ(gone.err, u"Vesperon is not running\n"_s);
}

} // namespace

} // namespace vesperon::test

#include "ControlBusTest.moc"
