#include "app/QtTrayHost.h"

#include "app/DesktopNotifications.h"

namespace vesperon {

QtTrayHost::QtTrayHost(QObject *parent) : TrayHost(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit clicked();
            break;
        case QSystemTrayIcon::Context:
            emit contextClicked();
            break;
        case QSystemTrayIcon::DoubleClick:
            emit doubleClicked();
            break;
        default:
            break;
        }
    });
}

bool QtTrayHost::add(const QString &tooltip, const QIcon &icon) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_icon.setIcon(icon);
    m_icon.setToolTip(tooltip);
    m_icon.show();
    return m_icon.isVisible();
}

bool QtTrayHost::modify(const QString &tooltip) {
    if (!m_icon.isVisible() || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_icon.setToolTip(tooltip);
    return true;
}

void QtTrayHost::remove() {
    m_icon.hide();
}

bool QtTrayHost::notify(const QString &title, const QString &text) {
    if (m_icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon.showMessage(title, text, QSystemTrayIcon::Warning);
        return true;
    }
    return sendDesktopNotification(title, text, NotificationUrgency::Critical);
}

void QtTrayHost::announce(const QString &title, const QString &text) {
    sendDesktopNotification(title, text, NotificationUrgency::Normal);
}

} // namespace vesperon
