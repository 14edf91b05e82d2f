#include "app/QtTrayHost.h"
#include "app/DesktopNotifications.h"

#include <QApplication>
#include <QMouseEvent>

namespace vesperon {

QtTrayHost::QtTrayHost(QObject *parent) : TrayHost(parent) {
    // A left click waits out the double-click time, so that a double click opens the window
    // without the menu in its way.
    m_pendingClick.setSingleShot(true);
    m_pendingClick.setInterval(QApplication::doubleClickInterval());
    connect(&m_pendingClick, &QTimer::timeout, this, &TrayHost::clicked);
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            afterRelease([this] { m_pendingClick.start(); });
            break;
        case QSystemTrayIcon::Context:
            afterRelease([this] { emit contextClicked(); });
            break;
        case QSystemTrayIcon::DoubleClick:
            // The second press of a double click reports a click too: that one is dropped.
            m_pendingClick.stop();
            m_onRelease = nullptr;
            qApp->removeEventFilter(this);
            emit doubleClicked();
            break;
        default:
            break;
        }
    });
}

void QtTrayHost::afterRelease(std::function<void()> report) {
    // Qt's own X11 tray icon reports a click when the button goes down; a tray host that
    // speaks D-Bus reports it when it is over.
    if (QGuiApplication::mouseButtons() == Qt::NoButton) {
        report();
        return;
    }
    m_onRelease = std::move(report);
    qApp->installEventFilter(this);
}

bool QtTrayHost::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonRelease && m_onRelease) {
        qApp->removeEventFilter(this);
        // After the release has been handled, so that a menu opened now keeps the mouse.
        QTimer::singleShot(0, this, std::exchange(m_onRelease, nullptr));
    }
    return TrayHost::eventFilter(watched, event);
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
