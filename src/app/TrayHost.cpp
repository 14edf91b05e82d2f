#include "app/TrayHost.h"

namespace vesperon {

TrayResponse trayResponse(int message) {
    switch (message) {
    case TrayHost::LeftUp:
    case TrayHost::RightUp:
        return TrayResponse::PopUpMenu; // on release, never on press
    case TrayHost::LeftDoubleClick:
        return TrayResponse::OpenWindow;
    default:
        return TrayResponse::None;
    }
}

int refreshTrayIcon(TrayHost &tray, const QString &tooltip, const QIcon &icon) {
    if (tray.modify(tooltip))
        return TrayRefreshInterval;
    // The icon is not there: the first refresh, or the tray came back after a restart.
    return tray.add(tooltip, icon) ? TrayRefreshInterval : TrayRetryInterval;
}

} // namespace vesperon
