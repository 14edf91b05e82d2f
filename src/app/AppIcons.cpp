#include "app/AppIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace vesperon {

QIcon appIcon(const QString &name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
}

QIcon programIcon() {
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
