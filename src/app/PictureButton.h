#pragma once

#include <QToolButton>

namespace vesperon {

// A picture button of the main window: the picture above the caption. A caption longer than
// the button is shortened in the middle ("Visit http://ww…example") when painted, in the
// window's own font; text() keeps it whole for the translations.
class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vesperon
