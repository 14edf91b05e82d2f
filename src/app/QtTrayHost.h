#pragma once

#include "app/TrayHost.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>

namespace vesperon {

// The tray through QSystemTrayIcon: a StatusNotifierItem where the desktop's tray host
// speaks it on D-Bus, an XEmbed icon otherwise. A left click (Trigger) or a right click
// (Context) is reported once the button is released, a left click after the double-click
// time; a double click is reported at once.
class QtTrayHost final : public TrayHost {
    Q_OBJECT
public:
    explicit QtTrayHost(QObject *parent = nullptr);
    bool add(const QString &tooltip, const QIcon &icon) override;
    bool modify(const QString &tooltip) override;
    void remove() override;
    bool notify(const QString &title, const QString &text) override;
    void announce(const QString &title, const QString &text) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Calls report now when no mouse button is down, else once it is released.
    void afterRelease(std::function<void()> report);

    QSystemTrayIcon m_icon;
    QTimer m_pendingClick;
    std::function<void()> m_onRelease;
};

} // namespace vesperon
