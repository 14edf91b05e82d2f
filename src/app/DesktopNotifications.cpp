#include "app/DesktopNotifications.h"

#include "core/ProductInfo.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>

namespace vesperon {

bool sendDesktopNotification(const QString &title, const QString &text, NotificationUrgency urgency) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Only a session bus that is running: without one, libdbus would start a bus daemon of its
    // own for the X display, which outlives the program.
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") &&
        !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return false;
    const QString service = QStringLiteral("org.freedesktop.Notifications");
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusConnectionInterface *daemon = bus.isConnected() ? bus.interface() : nullptr;
    if (!daemon || (!daemon->isServiceRegistered(service).value() &&
                    !daemon->activatableServiceNames().value().contains(service)))
        return false;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/Notifications"), service, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("urgency"),
                             QVariant::fromValue(uchar(urgency == NotificationUrgency::Critical ? 2 : 1))}};
    notify.setArguments({QString::fromUtf8(product::ProgramName), 0u, QStringLiteral("vesperon"), title, text,
                         QStringList(), hints, -1});
    return bus.send(notify);
#else
    Q_UNUSED(title);
    Q_UNUSED(text);
    Q_UNUSED(urgency);
    return false;
#endif
}

} // namespace vesperon
