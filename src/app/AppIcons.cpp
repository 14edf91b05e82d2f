#include "app/AppIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The icons are compiled into this static library; its resources must be registered by hand.
static void registerIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace vesperon {

QIcon appIcon(const QString &name) {
    registerIconResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon programIcon() {
    registerIconResources();
    static const QIcon icon = [] {
        QIcon result;
        QSvgRenderer renderer(QStringLiteral(":/icons/vesperon.svg"));
        for (const int size : {16, 32, 48, 64, 128}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            renderer.render(&painter);
            painter.end();
            result.addPixmap(pixmap);
        }
        return result;
    }();
    return icon;
}

} // namespace vesperon
