#pragma once

#include <QIcon>
#include <QString>

namespace vesperon {

// An icon of the program's own set (resources/icons/<name>.svg).
QIcon appIcon(const QString &name);

// The program icon "AAA": one image at each of 16, 32, 48, 64 and 128 pixels.
QIcon programIcon();

} // namespace vesperon
