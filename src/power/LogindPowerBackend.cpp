#include "power/LogindPowerBackend.h"

#include "core/ProductInfo.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace vesperon {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

// What a refusal means, by the name of logind's or polkit's error.
Availability refusalReason(const QString &errorName) {
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"))
        return Availability::NeedsPassword;
    if (errorName == QLatin1String("org.freedesktop.DBus.Error.AccessDenied"))
        return Availability::NotAllowed;
    if (errorName == QLatin1String("org.freedesktop.login1.SleepVerbNotSupported") ||
        errorName == QLatin1String("org.freedesktop.DBus.Error.NotSupported"))
        return Availability::NotHere;
    return Availability::Unknown;
}

PowerResult resultOf(const QDBusMessage &reply) {
    if (reply.type() == QDBusMessage::ReplyMessage)
        return PowerResult::done();
    return PowerResult::refused(
        (reply.errorName() + QStringLiteral(": ") + reply.errorMessage()).toStdString(),
        refusalReason(reply.errorName()));
}

// A Can* answer: "yes", "challenge" (polkit would ask for a password), "no" or "na".
Availability availabilityOf(const QDBusMessage &reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return Availability::Unknown;
    const QString answer = reply.arguments().constFirst().toString();
    if (answer == QLatin1String("yes"))
        return Availability::Yes;
    if (answer == QLatin1String("challenge"))
        return Availability::NeedsPassword;
    if (answer == QLatin1String("no"))
        return Availability::NotAllowed;
    if (answer == QLatin1String("na"))
        return Availability::NotHere;
    return Availability::Unknown;
}

// "challenge" would need a password, which nobody is there to give at a scheduled moment.
bool saysYes(const QDBusMessage &reply) {
    return availabilityOf(reply) == Availability::Yes;
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

QDBusMessage LogindPowerBackend::call(const QDBusMessage &message, int timeoutMs) {
    if (!m_bus.isConnected())
        return message.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
                                        QStringLiteral("The system bus is not available"));
    return m_bus.call(message, QDBus::Block, timeoutMs);
}

PowerResult LogindPowerBackend::callManager(const QString &method, const QList<QVariant> &arguments) {
    return resultOf(call(managerCall(method, arguments)));
}

PowerResult LogindPowerBackend::request(const QString &method, bool interactive) {
    QDBusMessage message = managerCall(method, {interactive});
    // The header flag lets polkit's agent ask; the argument tells logind to wait for it.
    message.setInteractiveAuthorizationAllowed(interactive);
    return resultOf(call(message, interactive ? std::max(m_timeoutMs, InteractiveTimeoutMs) : m_timeoutMs));
}

PowerResult LogindPowerBackend::perform(PowerVerb verb, bool interactive) {
    switch (verb) {
    case PowerVerb::PowerOff:
        return request(QStringLiteral("PowerOff"), interactive);
    case PowerVerb::Reboot:
        return request(QStringLiteral("Reboot"), interactive);
    case PowerVerb::Suspend:
        return sleep(QStringLiteral("Suspend"), interactive);
    case PowerVerb::Hibernate:
        return sleep(QStringLiteral("Hibernate"), interactive);
    case PowerVerb::LogOff:
        break;
    }
    return logOff();
}

PowerResult LogindPowerBackend::powerOff() {
    return perform(PowerVerb::PowerOff, false);
}

PowerResult LogindPowerBackend::reboot() {
    return perform(PowerVerb::Reboot, false);
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
    return perform(PowerVerb::Suspend, false);
}

PowerResult LogindPowerBackend::hibernate() {
    return perform(PowerVerb::Hibernate, false);
}

PowerResult LogindPowerBackend::sleep(const QString &method, bool interactive) {
    // Our own block inhibitor must not stand in the way of the sleep the user scheduled.
    const bool blocking = inhibitorHeld();
    releaseInhibitor();
    const PowerResult result = request(method, interactive);
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

void LogindPowerBackend::queryAvailability(std::function<void(Availabilities)> answer) {
    struct Question {
        PowerVerb verb;
        const char *method;
    };
    static constexpr Question Questions[] = {{PowerVerb::PowerOff, "CanPowerOff"},
                                             {PowerVerb::Reboot, "CanReboot"},
                                             {PowerVerb::Suspend, "CanSuspend"},
                                             {PowerVerb::Hibernate, "CanHibernate"}};
    // Filled in as the replies come; the answer goes out with the last of them.
    struct Gathered {
        Availabilities answers;
        int waiting = std::size(Questions);
        std::function<void(Availabilities)> answer;
    };
    auto gathered = std::make_shared<Gathered>();
    gathered->answers.fill(Availability::Unknown);
    gathered->answers[static_cast<std::size_t>(PowerVerb::LogOff)] = Availability::Yes;
    gathered->answer = std::move(answer);
    if (!m_bus.isConnected()) {
        gathered->answer(gathered->answers);
        return;
    }
    for (const Question &question : Questions) {
        auto *watcher = new QDBusPendingCallWatcher(
            m_bus.asyncCall(managerCall(QString::fromLatin1(question.method)), m_timeoutMs), &m_pendingCalls);
        QObject::connect(
            watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, gathered, verb = question.verb] {
                watcher->deleteLater();
                gathered->answers[static_cast<std::size_t>(verb)] = availabilityOf(watcher->reply());
                if (--gathered->waiting == 0)
                    gathered->answer(gathered->answers);
            });
    }
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
