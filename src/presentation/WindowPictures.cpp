#include "presentation/WindowPictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into this static library; registering them here keeps the
// linker from dropping them.
static void registerPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace vesperon {

namespace {

QPixmap render(const QString &path, const QSize &size) {
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QPixmap splashPicture(const QSize &size) {
    return render(QStringLiteral(":/pictures/splash.svg"), size);
}

QPixmap aboutPicture(const QSize &size) {
    return render(QStringLiteral(":/pictures/about.svg"), size);
}

} // namespace vesperon
