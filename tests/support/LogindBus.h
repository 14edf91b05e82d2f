#pragma once

// python3-dbusmock's logind on a private bus of its own: the machine's real system bus is never
// touched, so no test can power anything off. Header-only, for the tests that link QtDBus.

#include "support/Testing.h"
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <memory>

namespace vesperon::test {

class LogindBus {
public:
    ~LogindBus() {
        stop(m_mock);
        if (m_bus)
            m_bus.reset(), QDBusConnection::disconnectFromBus(m_address);
        stop(m_daemon);
    }

    // Starts a bus daemon of its own and connects to it.
    ::testing::AssertionResult startBus() {
        m_daemon.start(u"dbus-daemon"_s, {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted() || !QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, 10000))
            return ::testing::AssertionFailure() << "dbus-daemon is not installed";
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, m_address));
        return m_bus->isConnected() ? ::testing::AssertionSuccess()
                                    : ::testing::AssertionFailure() << "no bus";
    }
    // Starts logind's stand-in on the bus with the template's parameters (a JSON object) and
    // waits until it answers; logFile, when given, receives one line per call.
    ::testing::AssertionResult startLogind(const QString &parameters = u"{}"_s,
                                           const QString &logFile = QString()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, m_address);
        m_mock.setProcessEnvironment(env);
        m_mock.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{"-m", "dbusmock", "--system", "-t", "logind", "-p", parameters};
        if (!logFile.isEmpty())
            arguments << u"--logfile"_s << logFile;
        m_mock.start(u"/usr/bin/python3"_s, arguments);
        if (QTest::qWaitFor([&] { return m_bus->interface()->isServiceRegistered(Login1).value(); }, 20000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "python3-dbusmock did not come up";
    }

    QDBusConnection &bus() { return *m_bus; }
    const QString &address() const { return m_address; }

    QDBusMessage call(const QString &interface, const QString &method,
                      const QList<QVariant> &arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(Login1, ManagerPath, interface, method);
        message.setArguments(arguments);
        return m_bus->call(message);
    }
    // A call of the stand-in's own interface: AddMethod, AddSession, EmitSignal, ...
    QDBusMessage mockCall(const QString &method, const QList<QVariant> &arguments) {
        return call(u"org.freedesktop.DBus.Mock"_s, method, arguments);
    }
    // Replaces a logind method with the given Python code.
    ::testing::AssertionResult replaceMethod(const QString &name, const QString &in, const QString &out,
                                             const QString &code) {
        const QDBusMessage reply =
            mockCall(u"AddMethod"_s, {"org.freedesktop.login1.Manager", name, in, out, code});
        if (reply.type() == QDBusMessage::ReplyMessage)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << reply.errorMessage().toStdString();
    }

    static inline const QString Login1 = u"org.freedesktop.login1"_s;
    static inline const QString ManagerPath = u"/org/freedesktop/login1"_s;

private:
    static void stop(QProcess &process) {
        if (process.state() != QProcess::NotRunning)
            process.kill(), process.waitForFinished();
    }

    QProcess m_daemon, m_mock;
    QString m_address;
    std::unique_ptr<QDBusConnection> m_bus;
};

} // namespace vesperon::test
