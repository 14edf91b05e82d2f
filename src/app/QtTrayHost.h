#pragma once

#include "app/TrayHost.h"

#include <QSystemTrayIcon>

namespace vesperon {

// The tray through QSystemTrayIcon. Qt reports a left click as Trigger (on release), a
// right click as Context and a double click as DoubleClick.
class QtTrayHost final : public TrayHost {
    Q_OBJECT
public:
    explicit QtTrayHost(QObject *parent = nullptr);
    bool add(const QString &tooltip, const QIcon &icon) override;
    bool modify(const QString &tooltip) override;
    void remove() override;
    bool notify(const QString &title, const QString &text) override;
    void announce(const QString &title, const QString &text) override;

private:
    QSystemTrayIcon m_icon;
};

} // namespace vesperon
