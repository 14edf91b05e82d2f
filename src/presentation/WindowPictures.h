#pragma once

#include <QPixmap>
#include <QSize>

namespace vesperon {

// The splash picture drawn at size.
QPixmap splashPicture(const QSize &size);
// The picture of the about window drawn at size.
QPixmap aboutPicture(const QSize &size);

} // namespace vesperon
