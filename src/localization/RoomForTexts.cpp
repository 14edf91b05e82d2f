#include "localization/RoomForTexts.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace vesperon {

namespace {

// The gap a grown control keeps to the one it pushes (a wider gap of the design gives way
// first).
constexpr int KeptGap = 4;

bool holdsControls(const QWidget *widget) {
    if (widget->layout() || !widget->findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        return false;
    const QMetaObject *kind = widget->metaObject();
    return qobject_cast<const QGroupBox *>(widget) || kind == &QWidget::staticMetaObject ||
           kind == &QFrame::staticMetaObject;
}

// A push button needs its text, its icon and the style's margins; the style's smallest width
// for buttons is no reason to grow.
int pushButtonWidth(const QPushButton *button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    if (button->autoDefault() || button->isDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    QSize contents = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        contents.rwidth() += button->iconSize().width() + 4;
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, button).width();
}

// The size a control's text (and indicator) needs; 0 in a direction it does not care about.
QSize roomNeeded(const QWidget *control) {
    if (control->property("elidesText").toBool())
        return {};
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return {}; // a picture is sized by its window
        if (label->wordWrap())
            return {0, label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    if (qobject_cast<const QCheckBox *>(control) || qobject_cast<const QRadioButton *>(control))
        return control->sizeHint();
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        if (button->text().isEmpty())
            return {};
        return {pushButtonWidth(button), button->sizeHint().height()};
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().isEmpty() ? QSize() : button->sizeHint();
    if (qobject_cast<const QComboBox *>(control) || qobject_cast<const QLineEdit *>(control) ||
        qobject_cast<const QAbstractSpinBox *>(control))
        return {0, control->minimumSizeHint().height()};
    if (qobject_cast<const QGroupBox *>(control))
        return {control->minimumSizeHint().width(), 0};
    return {};
}

bool overlaps(int firstFrom, int firstTo, int secondFrom, int secondTo) {
    return firstFrom < secondTo && secondFrom < firstTo;
}

// Moves the siblings right of (or below) a control that grew from before to after, and the
// ones beyond them in turn, as far as their gap does not take up the growth.
void pushSiblings(const QList<QWidget *> &siblings, QWidget *grown, const QRect &before, const QRect &after) {
    for (QWidget *other : siblings) {
        if (other == grown)
            continue;
        const QRect place = other->geometry();
        QPoint shift;
        if (after.right() > before.right() && place.left() >= before.right() - 1 &&
            overlaps(place.top(), place.bottom() + 1, before.top(), before.bottom() + 1)) {
            const int gap = std::clamp(place.left() - before.right() - 1, 0, KeptGap);
            shift.rx() = std::max(0, after.right() + 1 + gap - place.left());
        }
        if (after.bottom() > before.bottom() && place.top() >= before.bottom() - 1 &&
            overlaps(place.left(), place.right() + 1, before.left(), before.right() + 1)) {
            const int gap = std::clamp(place.top() - before.bottom() - 1, 0, KeptGap);
            shift.ry() = std::max(0, after.bottom() + 1 + gap - place.top());
        }
        if (shift.isNull())
            continue;
        other->move(place.topLeft() + shift);
        pushSiblings(siblings, other, place, other->geometry());
    }
}

QRect shownBounds(const QList<QWidget *> &controls) {
    QRect bounds;
    for (const QWidget *control : controls) {
        if (!control->isHidden())
            bounds = bounds.united(control->geometry());
    }
    return bounds;
}

// Gives the controls of container room and answers the size the container needs for them,
// keeping the margins it had on the right and at the bottom.
QSize fitControls(QWidget *container) {
    QList<QWidget *> controls = container->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    controls.removeIf([](const QWidget *control) { return control->isWindow(); });
    const QRect designBounds = shownBounds(controls);
    QList<std::pair<QWidget *, QRect>> outOfSight;
    for (QWidget *control : controls) {
        if (control->isHidden() &&
            (control->x() >= container->width() || control->y() >= container->height()))
            outOfSight.append({control, control->geometry()});
    }
    const QSize margins(std::max(0, container->width() - designBounds.right() - 1),
                        std::max(0, container->height() - designBounds.bottom() - 1));
    std::sort(controls.begin(), controls.end(), [](const QWidget *a, const QWidget *b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    for (QWidget *control : controls) {
        if (control->isHidden())
            continue;
        const QRect before = control->geometry();
        QSize size = before.size();
        if (holdsControls(control))
            size = size.expandedTo(fitControls(control));
        size = size.expandedTo(roomNeeded(control));
        if (size == before.size())
            continue;
        control->resize(size);
        pushSiblings(controls, control, before, control->geometry());
    }
    const QRect bounds = shownBounds(controls);
    if (bounds.isNull())
        return container->size();
    const QSize size = container->size().expandedTo(
        QSize(bounds.right() + 1 + margins.width(), bounds.bottom() + 1 + margins.height()));
    // Hidden controls kept out of sight beyond the right or bottom edge stay beyond it.
    for (const auto &[control, design] : outOfSight) {
        const QPoint beyond(
            design.x() >= container->width() ? size.width() + design.x() - container->width() : 0,
            design.y() >= container->height() ? size.height() + design.y() - container->height() : 0);
        control->move(std::max(control->x(), beyond.x()), std::max(control->y(), beyond.y()));
    }
    return size;
}

} // namespace

void makeRoomForTexts(QWidget *window) {
    QWidget *client = window;
    if (auto *main = qobject_cast<QMainWindow *>(window)) {
        // Before the window is first shown its client area has not been given its size yet.
        main->layout()->activate();
        client = main->centralWidget();
    }
    if (!client || client->layout())
        return;
    const QSize growth = fitControls(client) - client->size();
    if (growth.isNull())
        return;
    if (client != window) {
        window->resize(window->size() + growth);
        return;
    }
    const bool fixed = window->minimumSize() == window->maximumSize();
    if (fixed)
        window->setFixedSize(window->size() + growth);
    else
        window->resize(window->size() + growth);
}

} // namespace vesperon
