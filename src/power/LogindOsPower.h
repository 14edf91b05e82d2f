#pragma once

#include "power/OsPower.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

namespace vesperon {

// The power calls on a system run by systemd-logind (org.freedesktop.login1 on the system
// bus). Log off ends this program's session; shut down and reboot power off and reboot;
// stand by suspends and hibernate hibernates, never asking the user interactively.
// Refusing suspend holds a logind "sleep:idle" block inhibitor; the program's own stand by
// and hibernate let go of it for the request and take it again right after.
// Every call waits at most timeoutMs, so a system bus that drops replies cannot hold the
// program back. Token and version calls have nothing to do here.
class LogindOsPower final : public OsPower {
public:
    static constexpr int DefaultTimeoutMs = 2000;
    static constexpr const char *InhibitReason =
        "The user asked to keep this computer from entering stand by or hibernating";

    // sessionId: the session log off ends; empty asks logind for the session of this process.
    explicit LogindOsPower(QDBusConnection bus = QDBusConnection::systemBus(), QString sessionId = QString(),
                           int timeoutMs = DefaultTimeoutMs);
    ~LogindOsPower() override;
    LogindOsPower(const LogindOsPower &) = delete;
    LogindOsPower &operator=(const LogindOsPower &) = delete;

    std::optional<std::uint32_t> versionPlatformId(std::uint32_t osVersionInfoSize) override;
    std::uintptr_t openProcessToken(std::uint32_t desiredAccess) override;
    std::optional<Luid> lookupPrivilegeValue(const std::string &systemName,
                                             const std::string &privilegeName) override;
    bool adjustTokenPrivileges(std::uintptr_t token, bool disableAllPrivileges, const Luid &luid,
                               std::uint32_t attributes, std::uint32_t previousStateSize) override;
    void closeToken(std::uintptr_t token) override;
    OsCallResult exitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
    OsCallResult setSystemPowerState(bool suspend, bool force) override;
    bool fileListed(const std::string &path) override;
    std::uintptr_t installPowerWindowProc(std::uintptr_t hwnd, const PowerHookState &state) override;
    void restoreWindowProc(std::uintptr_t hwnd, std::uintptr_t savedProcedure) override;

    bool inhibitorHeld() const { return m_inhibitor >= 0; }

private:
    QDBusMessage callManager(const QString &method, const QList<QVariant> &arguments = {});
    QDBusMessage call(QDBusMessage message);
    OsCallResult endSession();
    bool takeInhibitor();
    void releaseInhibitor();

    QDBusConnection m_bus;
    QString m_sessionId;
    int m_timeoutMs;
    int m_inhibitor = -1; // our own copy of the inhibitor's file descriptor
};

} // namespace vesperon
