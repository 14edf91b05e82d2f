#include "power/LogindPowerBackend.h"

#include "core/ProductInfo.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <fcntl.h>
#include <unistd.h>

namespace vesperon {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

PowerResult resultOf(const QDBusMessage &reply) {
    if (reply.type() == QDBusMessage::ReplyMessage)
        return PowerResult::done();
    return PowerResult::refused(
        (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString());
}

// "challenge" would need a password, which nobody is there to give at a scheduled moment.
bool saysYes(const QDBusMessage &reply) {
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toString() == QLatin1String("yes");
}

// Receives logind's PrepareForSleep signal (QtDBus delivers signals to named slots only).
class SleepWatch final : public QObject {
    Q_OBJECT
public:
    SleepWatch(QObject *parent, std::function<void()> resumed)
        : QObject(parent), m_resumed(std::move(resumed)) {}

public slots:
    void prepareForSleep(bool goingToSleep) {
        if (!goingToSleep && m_resumed)
            m_resumed();
    }

private:
    std::function<void()> m_resumed;
};

} // namespace

void LogindPowerBackend::setResumeHandler(std::function<void()> resumed) {
    delete m_sleepWatch;
    m_sleepWatch = new SleepWatch(&m_pendingCalls, std::move(resumed));
    if (m_bus.isConnected())
        m_bus.connect(Service, ManagerPath, ManagerInterface, QStringLiteral("PrepareForSleep"), m_sleepWatch,
                      SLOT(prepareForSleep(bool)));
}

LogindPowerBackend::LogindPowerBackend(QDBusConnection bus, QString sessionId, int timeoutMs)
    : m_bus(std::move(bus)), m_sessionId(std::move(sessionId)), m_timeoutMs(timeoutMs) {}

LogindPowerBackend::~LogindPowerBackend() {
    releaseInhibitor();
}

QDBusMessage LogindPowerBackend::managerCall(const QString &method, const QList<QVariant> &arguments) const {
    QDBusMessage message = QDBusMessage::createMethodCall(Service, ManagerPath, ManagerInterface, method);
    message.setArguments(arguments);
    return message;
}

QDBusMessage LogindPowerBackend::call(const QDBusMessage &message) {
    if (!m_bus.isConnected())
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                                        QStringLiteral("The system bus is not available"));
    return m_bus.call(message, QDBus::Block, m_timeoutMs);
}

PowerResult LogindPowerBackend::callManager(const QString &method, const QList<QVariant> &arguments) {
    return resultOf(call(managerCall(method, arguments)));
}

PowerResult LogindPowerBackend::powerOff() {
    return callManager(QStringLiteral("PowerOff"), {false});
}

PowerResult LogindPowerBackend::reboot() {
    return callManager(QStringLiteral("Reboot"), {false});
}

PowerResult LogindPowerBackend::logOff() {
    if (!m_sessionId.isEmpty())
        return callManager(QStringLiteral("TerminateSession"), {m_sessionId});
    const QDBusMessage session =
        call(managerCall(QStringLiteral("GetSessionByPID"), {static_cast<quint32>(::getpid())}));
    if (session.type() != QDBusMessage::ReplyMessage)
        return resultOf(session);
    const QString path = session.arguments().isEmpty()
                             ? QString()
                             : qdbus_cast<QDBusObjectPath>(session.arguments().constFirst()).path();
    // An answer without a session is no log-off: saying it was done would hide that nothing was.
    if (path.isEmpty() || path == QLatin1String("/"))
        return PowerResult::refused("logind named no session of this program to end");
    return resultOf(
        call(QDBusMessage::createMethodCall(Service, path, SessionInterface, QStringLiteral("Terminate"))));
}

PowerResult LogindPowerBackend::suspend() {
    return sleep(QStringLiteral("Suspend"));
}

PowerResult LogindPowerBackend::hibernate() {
    return sleep(QStringLiteral("Hibernate"));
}

PowerResult LogindPowerBackend::sleep(const QString &method) {
    // Our own block inhibitor must not stand in the way of the sleep the user scheduled.
    const bool blocking = inhibitorHeld();
    releaseInhibitor();
    const PowerResult result = callManager(method, {false});
    // logind has started the sleep (or refused it) by the time it replies; a block
    // inhibitor taken now no longer stops it and refuses the next idle sleep again.
    if (blocking)
        takeInhibitor();
    return result;
}

bool LogindPowerBackend::canHibernate() {
    return saysYes(call(managerCall(QStringLiteral("CanHibernate"))));
}

void LogindPowerBackend::queryCanHibernate(std::function<void(bool)> answer) {
    if (!m_bus.isConnected()) {
        answer(false);
        return;
    }
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(managerCall(QStringLiteral("CanHibernate")), m_timeoutMs), &m_pendingCalls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, answer = std::move(answer)] {
                         watcher->deleteLater();
                         answer(saysYes(watcher->reply()));
                     });
}

PowerResult LogindPowerBackend::setSleepBlocked(bool on) {
    if (!on) {
        releaseInhibitor();
        return PowerResult::done();
    }
    return takeInhibitor();
}

PowerResult LogindPowerBackend::takeInhibitor() {
    if (inhibitorHeld())
        return PowerResult::done();
    // The reply and the descriptor object each keep the descriptor open; both end with this
    // scope, leaving only our own duplicate to hold the lock.
    const QDBusMessage reply = call(managerCall(
        QStringLiteral("Inhibit"), {QStringLiteral("sleep:idle"), QString::fromUtf8(product::ProgramName),
                                    QString::fromUtf8(InhibitReason), QStringLiteral("block")}));
    if (reply.type() != QDBusMessage::ReplyMessage)
        return resultOf(reply);
    const QDBusUnixFileDescriptor fd =
        reply.arguments().isEmpty() ? QDBusUnixFileDescriptor()
                                    : qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
    if (!fd.isValid())
        return PowerResult::refused("Inhibit answered without a file descriptor");
    m_inhibitor = ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    if (!inhibitorHeld())
        return PowerResult::refused("The inhibitor's file descriptor could not be kept");
    return PowerResult::done();
}

void LogindPowerBackend::releaseInhibitor() {
    if (m_inhibitor >= 0) {
        ::close(m_inhibitor);
        m_inhibitor = -1;
    }
}

} // namespace vesperon

#include "LogindPowerBackend.moc"
