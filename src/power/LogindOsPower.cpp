#include "power/LogindOsPower.h"

#include "core/ProductInfo.h"
#include "power/ModPower.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <fcntl.h>
#include <unistd.h>

namespace vesperon {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

// A token value for "suspend refusal is on"; logind has no window procedure to save.
constexpr std::uintptr_t InhibitorToken = 1;

OsCallResult resultOf(const QDBusMessage &reply) {
    if (reply.type() == QDBusMessage::ReplyMessage)
        return OsCallResult::success();
    return OsCallResult::failure(
        (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString());
}

} // namespace

LogindOsPower::LogindOsPower(QDBusConnection bus, QString sessionId, int timeoutMs)
    : m_bus(std::move(bus)), m_sessionId(std::move(sessionId)), m_timeoutMs(timeoutMs) {}

LogindOsPower::~LogindOsPower() {
    releaseInhibitor();
}

std::optional<std::uint32_t> LogindOsPower::versionPlatformId(std::uint32_t) {
    return std::nullopt;
}
std::uintptr_t LogindOsPower::openProcessToken(std::uint32_t) {
    return 0;
}
std::optional<Luid> LogindOsPower::lookupPrivilegeValue(const std::string &, const std::string &) {
    return std::nullopt;
}
bool LogindOsPower::adjustTokenPrivileges(std::uintptr_t, bool, const Luid &, std::uint32_t, std::uint32_t) {
    return false;
}
void LogindOsPower::closeToken(std::uintptr_t) {}

QDBusMessage LogindOsPower::call(QDBusMessage message) {
    if (!m_bus.isConnected())
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                                        QStringLiteral("The system bus is not available"));
    return m_bus.call(message, QDBus::Block, m_timeoutMs);
}

QDBusMessage LogindOsPower::callManager(const QString &method, const QList<QVariant> &arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(Service, ManagerPath, ManagerInterface, method);
    message.setArguments(arguments);
    return call(message);
}

OsCallResult LogindOsPower::endSession() {
    if (!m_sessionId.isEmpty())
        return resultOf(callManager(QStringLiteral("TerminateSession"), {m_sessionId}));
    const QDBusMessage session =
        callManager(QStringLiteral("GetSessionByPID"), {static_cast<quint32>(::getpid())});
    if (session.type() != QDBusMessage::ReplyMessage || session.arguments().isEmpty())
        return resultOf(session);
    const QString path = qdbus_cast<QDBusObjectPath>(session.arguments().constFirst()).path();
    return resultOf(
        call(QDBusMessage::createMethodCall(Service, path, SessionInterface, QStringLiteral("Terminate"))));
}

OsCallResult LogindOsPower::exitWindowsEx(std::uint32_t flags, std::uint32_t) {
    // Forcing is what logind does anyway for a non-interactive request; the action is in
    // the low bits.
    switch (flags & ~win32::EwxForce) {
    case win32::EwxLogoff:
        return endSession();
    case win32::EwxShutdown:
        return resultOf(callManager(QStringLiteral("PowerOff"), {false}));
    case win32::EwxReboot:
        return resultOf(callManager(QStringLiteral("Reboot"), {false}));
    default:
        return OsCallResult::failure("No such action: " + std::to_string(flags));
    }
}

OsCallResult LogindOsPower::setSystemPowerState(bool suspend, bool) {
    // Our own block inhibitor must not stand in the way of the sleep the user scheduled.
    const bool refusing = inhibitorHeld();
    releaseInhibitor();
    const OsCallResult result =
        resultOf(callManager(suspend ? QStringLiteral("Suspend") : QStringLiteral("Hibernate"), {false}));
    // logind has started the sleep (or refused it) by the time it replies; a block
    // inhibitor taken now no longer stops it and refuses the next idle suspend again.
    if (refusing)
        takeInhibitor();
    return result;
}

bool LogindOsPower::fileListed(const std::string &) {
    // "challenge" would need a password, which nobody is there to give at a scheduled moment.
    const QDBusMessage reply = callManager(QStringLiteral("CanHibernate"));
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toString() == QLatin1String("yes");
}

std::uintptr_t LogindOsPower::installPowerWindowProc(std::uintptr_t, const PowerHookState &) {
    return (inhibitorHeld() || takeInhibitor()) ? InhibitorToken : 0;
}

void LogindOsPower::restoreWindowProc(std::uintptr_t, std::uintptr_t) {
    releaseInhibitor();
}

bool LogindOsPower::takeInhibitor() {
    if (inhibitorHeld())
        return true;
    // The reply and the descriptor object each keep the descriptor open; both end with this
    // scope, leaving only our own duplicate to hold the lock.
    const QDBusMessage reply = callManager(
        QStringLiteral("Inhibit"), {QStringLiteral("sleep:idle"), QString::fromUtf8(product::ProgramName),
                                    QString::fromUtf8(InhibitReason), QStringLiteral("block")});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const QDBusUnixFileDescriptor fd = qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
    if (!fd.isValid())
        return false;
    m_inhibitor = ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0);
    return inhibitorHeld();
}

void LogindOsPower::releaseInhibitor() {
    if (m_inhibitor >= 0) {
        ::close(m_inhibitor);
        m_inhibitor = -1;
    }
}

} // namespace vesperon
