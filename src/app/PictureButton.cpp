#include "app/PictureButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace vesperon {

void PictureButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, this) +
                             style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
    option.text =
        fontMetrics().elidedText(option.text, Qt::ElideMiddle, width() - margins, Qt::TextShowMnemonic);
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

} // namespace vesperon
