// The logind back end against python3-dbusmock's logind on a private bus of its own: the
// machine's real system bus is never touched, so no test can power anything off.

#include "power/LogindPowerBackend.h"
#include "power/PowerController.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

// Readable failure messages for texts.
void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

const QString Login1 = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString MockInterface = QStringLiteral("org.freedesktop.DBus.Mock");

struct Inhibitor {
    QString what, who, why, mode;
};

class LogindTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_daemon.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(m_daemon.waitForStarted()) << "dbus-daemon is not installed";
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, 10000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_connectionName = QStringLiteral("vesperon-test-%1").arg(++s_connections);
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, m_connectionName));
        ASSERT_TRUE(m_bus->isConnected());
    }

    void TearDown() override {
        if (m_mock.state() != QProcess::NotRunning) {
            m_mock.kill();
            m_mock.waitForFinished();
        }
        m_bus.reset();
        QDBusConnection::disconnectFromBus(m_connectionName);
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    // Starts logind's stand-in on the private bus and waits until it answers.
    void startLogind(const QString &parameters = QStringLiteral("{}")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
        m_mock.setProcessEnvironment(env);
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_mock.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                      QStringLiteral("-t"), QStringLiteral("logind"), QStringLiteral("-p"), parameters,
                      QStringLiteral("--logfile"), logPath()});
        ASSERT_TRUE(m_mock.waitForStarted());
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return m_bus->interface()->isServiceRegistered(Login1).value(); }, 20000))
            << "python3-dbusmock did not come up";
    }

    QString logPath() const { return m_dir.filePath(QStringLiteral("logind.log")); }

    // The calls logind received, without their time stamps ("PowerOff False"); the test's
    // own set-up and look-ups are left out.
    QStringList calls() const {
        static const QStringList setUp = {"AddSession", "AddSeat", "AddUser", "Get",
                                          "GetAll",     "Set",     "emit",    "ListInhibitors"};
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const int space = line.indexOf(' ');
            const QString call = QString::fromUtf8(line.mid(space + 1));
            if (space > 0 && !setUp.contains(call.section(QLatin1Char(' '), 0, 0)))
                lines << call;
        }
        return lines;
    }

    QDBusMessage mockCall(const QString &path, const QString &method, const QList<QVariant> &arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(Login1, path, MockInterface, method);
        message.setArguments(arguments);
        return m_bus->call(message);
    }

    // Replaces a logind method with the given Python code.
    void replaceMethod(const QString &name, const QString &inSignature, const QString &outSignature,
                       const QString &code) {
        const QDBusMessage reply = mockCall(ManagerPath, QStringLiteral("AddMethod"),
                                            {ManagerInterface, name, inSignature, outSignature, code});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    QList<Inhibitor> inhibitors() {
        const QDBusMessage reply = m_bus->call(QDBusMessage::createMethodCall(
            Login1, ManagerPath, ManagerInterface, QStringLiteral("ListInhibitors")));
        QList<Inhibitor> list;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return list;
        const QDBusArgument argument = reply.arguments().constFirst().value<QDBusArgument>();
        argument.beginArray();
        while (!argument.atEnd()) {
            Inhibitor inhibitor;
            quint32 uid = 0, pid = 0;
            argument.beginStructure();
            argument >> inhibitor.what >> inhibitor.who >> inhibitor.why >> inhibitor.mode >> uid >> pid;
            argument.endStructure();
            list << inhibitor;
        }
        argument.endArray();
        return list;
    }

    // The stand-in drops an inhibitor when it sees the descriptor closed, a moment later.
    bool inhibitorCountBecomes(int count) {
        return QTest::qWaitFor([&] { return inhibitors().size() == count; }, 5000);
    }

    QDBusConnection &bus() { return *m_bus; }

    // The answer queryCanHibernate gives, once it comes.
    static bool laterAnswer(LogindPowerBackend &logind) {
        std::optional<bool> answer;
        logind.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
        return answer.value_or(false);
    }

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QProcess m_mock;
    QString m_address;
    QString m_connectionName;
    std::unique_ptr<QDBusConnection> m_bus;
    static inline int s_connections = 0;
};

TEST_F(LogindTest, EachActionReachesLogindAsItsCall) {
    startLogind();
    LogindPowerBackend logind(bus(), QStringLiteral("c7"));
    PowerController power(logind);
    for (const char *action : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
        EXPECT_EQ(power.perform(action).status, PowerOutcome::Status::Requested) << action;
    EXPECT_THAT(calls(), ElementsAre("PowerOff False", "Reboot False", "TerminateSession \"c7\"",
                                     "Suspend False", "Hibernate False"));
}

TEST_F(LogindTest, LogOffWithoutASessionIdEndsTheSessionOfThisProcess) {
    startLogind();
    mockCall(ManagerPath, QStringLiteral("AddSession"),
             {QStringLiteral("c3"), QStringLiteral("seat0"), 1000u, QStringLiteral("someone"), true});
    replaceMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                  QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/login1/session/c3')"));
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.logOff().ok);
    EXPECT_THAT(calls(), ElementsAre(QStringLiteral("GetSessionByPID %1").arg(::getpid()), "Terminate"));

    // An answer that names no session ends nothing, and says so.
    for (const char *answer : {"", "ret = dbus.ObjectPath('/')"}) {
        replaceMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"),
                      QLatin1String(*answer ? "o" : ""), QLatin1String(answer));
        EXPECT_FALSE(logind.logOff().ok) << answer;
    }
    EXPECT_EQ(calls().count(QStringLiteral("Terminate")), 1);
}

TEST_F(LogindTest, HibernationIsAvailableOnlyWhenLogindSaysYes) {
    startLogind(QStringLiteral("{\"CanHibernate\": \"yes\"}"));
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.canHibernate());
    EXPECT_TRUE(laterAnswer(logind));
    for (const char *answer : {"challenge", "no", "na", "Yes"}) {
        replaceMethod(QStringLiteral("CanHibernate"), QString(), QStringLiteral("s"),
                      QStringLiteral("ret = '%1'").arg(QLatin1String(answer)));
        EXPECT_FALSE(logind.canHibernate()) << answer;
        EXPECT_FALSE(laterAnswer(logind)) << answer;
    }
}

TEST_F(LogindTest, TheWindowDoesNotWaitForASilentLogindsHibernationAnswer) {
    startLogind(QStringLiteral("{\"CanHibernate\": \"yes\"}"));
    replaceMethod(QStringLiteral("CanHibernate"), QString(), QStringLiteral("s"),
                  QStringLiteral("import time; time.sleep(3); ret = 'yes'"));
    LogindPowerBackend logind(bus(), QString(), 200);
    std::optional<bool> answer;
    logind.queryCanHibernate([&](bool canHibernate) { answer = canHibernate; });
    EXPECT_FALSE(answer.has_value()); // asked, not waited for
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
    EXPECT_FALSE(*answer); // given up on after the time limit
}

TEST_F(LogindTest, RefusingSuspendHoldsAnInhibitorThatStepsAsideForOurOwnSleep) {
    startLogind();
    // Each sleep request notes how many inhibitors logind held when it arrived. The stand-in
    // notices a closed inhibitor in its main loop, so it gets a few rounds of it first.
    for (const QString &method : {QStringLiteral("Suspend"), QStringLiteral("Hibernate")})
        replaceMethod(method, QStringLiteral("b"), QString(),
                      QStringLiteral("from gi.repository import GLib\n"
                                     "for _ in range(20): GLib.MainContext.default().iteration(False)\n"
                                     "self.log('held %d' % len(globals().get('inhibitors', [])))"));
    LogindPowerBackend logind(bus());
    EXPECT_TRUE(logind.suspend().ok); // a sleep while nothing is refused takes no inhibitor
    EXPECT_TRUE(inhibitors().isEmpty());
    {
        PowerController power(logind);
        power.setSleepBlocked(true);
        ASSERT_TRUE(logind.inhibitorHeld());
        const QList<Inhibitor> held = inhibitors();
        ASSERT_EQ(held.size(), 1);
        EXPECT_EQ(held[0].what, "sleep:idle");
        EXPECT_EQ(held[0].who, "Vesperon");
        EXPECT_EQ(held[0].mode, "block");
        EXPECT_FALSE(held[0].why.isEmpty());

        EXPECT_TRUE(power.perform("Stand by").requested());
        EXPECT_TRUE(inhibitorCountBecomes(1)); // taken again after the request
        EXPECT_TRUE(power.perform("Hibernate").requested());
        EXPECT_TRUE(inhibitorCountBecomes(1));

        power.setSleepBlocked(false);
        EXPECT_FALSE(logind.inhibitorHeld());
        EXPECT_TRUE(inhibitorCountBecomes(0));
        power.setSleepBlocked(true);
        EXPECT_TRUE(inhibitorCountBecomes(1));
    }
    const QString inhibit = QStringLiteral("Inhibit \"sleep:idle\" \"Vesperon\" \"%1\" \"block\"")
                                .arg(QLatin1String(LogindPowerBackend::InhibitReason));
    EXPECT_THAT(calls(), ElementsAre("Suspend False", "held 0", inhibit, "Suspend False", "held 0", inhibit,
                                     "Hibernate False", "held 0", inhibit, inhibit));
    // The end of the controller lets go of the lock.
    EXPECT_FALSE(logind.inhibitorHeld());
    EXPECT_TRUE(inhibitorCountBecomes(0));
}

TEST_F(LogindTest, ARefusingLogindIsReportedAndTheProgramGoesOn) {
    startLogind();
    replaceMethod(QStringLiteral("PowerOff"), QStringLiteral("b"), QString(),
                  QStringLiteral("raise dbus.exceptions.DBusException('Not allowed', "
                                 "name='org.freedesktop.DBus.Error.AccessDenied')"));
    replaceMethod(QStringLiteral("Inhibit"), QStringLiteral("ssss"), QStringLiteral("h"),
                  QStringLiteral("raise dbus.exceptions.DBusException('No', "
                                 "name='org.freedesktop.DBus.Error.AccessDenied')"));
    LogindPowerBackend logind(bus());
    const PowerResult off = logind.powerOff();
    EXPECT_FALSE(off.ok);
    EXPECT_THAT(off.error, HasSubstr("AccessDenied"));
    const PowerResult block = logind.setSleepBlocked(true);
    EXPECT_FALSE(block.ok);
    EXPECT_THAT(block.error, HasSubstr("AccessDenied"));
    EXPECT_FALSE(logind.inhibitorHeld()); // tried again at the next click of the box
    EXPECT_TRUE(logind.reboot().ok);      // still talking to logind

    // A logind that does not answer is given up on after the time limit.
    replaceMethod(QStringLiteral("PowerOff"), QStringLiteral("b"), QString(),
                  QStringLiteral("import time; time.sleep(3)"));
    LogindPowerBackend impatient(bus(), QString(), 200);
    EXPECT_THAT(impatient.powerOff().error, HasSubstr("NoReply"));
}

TEST_F(LogindTest, WithoutLogindEveryActionFailsAndNothingIsHeld) {
    // The private bus has no logind on it; a bus that is not there at all behaves alike.
    const QString gone = QStringLiteral("vesperon-test-no-bus");
    for (QDBusConnection connection :
         {bus(),
          QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/vesperon-bus"), gone)}) {
        LogindPowerBackend logind(connection);
        PowerController power(logind);
        for (const char *action : {"Shut Down", "Reboot", "Log Off", "Stand by", "Hibernate"})
            EXPECT_EQ(power.perform(action).status, PowerOutcome::Status::Failed) << action;
        EXPECT_FALSE(logind.canHibernate());
        EXPECT_FALSE(laterAnswer(logind));
        power.setSleepBlocked(true);
        EXPECT_FALSE(logind.inhibitorHeld());
    }
    QDBusConnection::disconnectFromBus(gone);
}

} // namespace
