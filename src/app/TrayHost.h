#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

namespace vesperon {

// The icon in the system tray. add/modify answer whether the tray took the request. A click
// is reported when the button is released (never on press), so the tray menu opens as the
// desktop's own tray menus do.
class TrayHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool add(const QString &tooltip, const QIcon &icon) = 0;
    virtual bool modify(const QString &tooltip) = 0;
    virtual void remove() = 0;
    // Shows a warning notice beside the icon, or as a desktop notification when no icon is
    // up (for example a power action the system refused). False when nothing could show it:
    // the caller then tells it some other way.
    virtual bool notify(const QString &title, const QString &text) = 0;
    // A desktop notification of something about to happen (a scheduled action's warning);
    // nothing where the desktop shows none.
    virtual void announce(const QString & /*title*/, const QString & /*text*/) {}

signals:
    void clicked();
    void contextClicked();
    void doubleClicked();
};

// One refresh of the tray icon: refresh the tooltip, or add the icon when it is missing.
// Answers whether the icon is there now. A missing icon is tried again every
// TrayRetryInterval (the tray may not be up yet early in a session); a present one needs no
// more refreshes: when the tray host restarts, the icon docks into the new one by itself
// (QSystemTrayIcon follows the tray's manager selection on X11, the StatusNotifier watcher
// on D-Bus and the taskbar's re-creation on Windows).
bool refreshTrayIcon(TrayHost &tray, const QString &tooltip, const QIcon &icon);

inline constexpr int TrayRetryInterval = 5000;

} // namespace vesperon
