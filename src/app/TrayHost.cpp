#include "app/TrayHost.h"

namespace vesperon {

bool refreshTrayIcon(TrayHost &tray, const QString &tooltip, const QIcon &icon) {
    if (tray.modify(tooltip))
        return true;
    // The icon is not there: the first refresh, or the tray came back after a restart.
    return tray.add(tooltip, icon);
}

} // namespace vesperon
