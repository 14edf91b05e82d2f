#pragma once

#include "power/PowerBackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <functional>

namespace vesperon {

// The power requests on a system run by systemd-logind (org.freedesktop.login1 on the
// system bus). Log off ends this program's session; shut down, reboot, stand by and
// hibernate are PowerOff, Reboot, Suspend and Hibernate. A schedule's run never lets polkit
// ask for a password (nobody is there); an action the user starts and watches does, and waits
// up to InteractiveTimeoutMs for the answer. Blocking sleep holds a logind "sleep:idle" block inhibitor; the
// program's own stand by and hibernate let go of it for the request and take it again right after. Every call
// waits at most timeoutMs, so a system bus that drops replies cannot hold the program back for longer;
// queryCanHibernate does not wait at all.
class LogindPowerBackend final : public PowerBackend {
public:
    static constexpr int DefaultTimeoutMs = 2000;
    static constexpr int InteractiveTimeoutMs = 120000; // time to type a password
    static constexpr const char *InhibitReason =
        "The user asked to keep this computer from entering stand by or hibernating";

    // sessionId: the session log off ends; empty asks logind for the session of this process.
    explicit LogindPowerBackend(QDBusConnection bus = QDBusConnection::systemBus(),
                                QString sessionId = QString(), int timeoutMs = DefaultTimeoutMs);
    ~LogindPowerBackend() override;
    LogindPowerBackend(const LogindPowerBackend &) = delete;
    LogindPowerBackend &operator=(const LogindPowerBackend &) = delete;

    PowerResult powerOff() override;
    PowerResult reboot() override;
    PowerResult logOff() override;
    PowerResult suspend() override;
    PowerResult hibernate() override;
    PowerResult perform(PowerVerb verb, bool interactive) override;
    // CanPowerOff, CanReboot, CanSuspend and CanHibernate, asked together; log off ends the
    // caller's own session, which logind always allows.
    void queryAvailability(std::function<void(Availabilities)> answer) override;
    bool canHibernate() override;
    void queryCanHibernate(std::function<void(bool)> answer) override;
    PowerResult setSleepBlocked(bool on) override;
    // logind's PrepareForSleep(false): the computer has just woken.
    void setResumeHandler(std::function<void()> resumed) override;

    bool inhibitorHeld() const { return m_inhibitor >= 0; }

private:
    QDBusMessage managerCall(const QString &method, const QList<QVariant> &arguments = {}) const;
    QDBusMessage call(const QDBusMessage &message, int timeoutMs);
    QDBusMessage call(const QDBusMessage &message) { return call(message, m_timeoutMs); }
    PowerResult callManager(const QString &method, const QList<QVariant> &arguments = {});
    // PowerOff, Reboot, Suspend or Hibernate with its "interactive" argument.
    PowerResult request(const QString &method, bool interactive);
    PowerResult sleep(const QString &method, bool interactive);
    PowerResult takeInhibitor();
    void releaseInhibitor();

    QDBusConnection m_bus;
    QString m_sessionId;
    int m_timeoutMs;
    int m_inhibitor = -1;            // our own copy of the inhibitor's file descriptor
    QObject m_pendingCalls;          // parent of the questions still waiting for logind's reply
    QObject *m_sleepWatch = nullptr; // a child of m_pendingCalls, once a handler is set
};

} // namespace vesperon
