#include "localization/WindowTexts.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

namespace vesperon {

namespace {

const char *const KindProperty = "controlKind";
const char *const IndexProperty = "index";

bool isControl(const QObject *object) {
    const QString name = object->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// The column header of a report-style list, or nullptr when the view shows none.
QHeaderView *columnHeader(const QObject *control) {
    if (const auto *tree = qobject_cast<const QTreeView *>(control))
        return tree->isHeaderHidden() ? nullptr : tree->header();
    if (const auto *table = qobject_cast<const QTableView *>(control))
        return table->horizontalHeader()->isHidden() ? nullptr : table->horizontalHeader();
    return nullptr;
}

QString indexText(const QObject *control) {
    bool ok = false;
    const int index = control->property(IndexProperty).toInt(&ok);
    return QString::number(ok ? index : 0);
}

void redraw(QObject *control) {
    if (auto *widget = qobject_cast<QWidget *>(control))
        widget->update();
}

// Text read and written through a pair of member functions of one widget class.
template <class Widget, class Get, class Set>
WindowText simpleText(QString key, Widget *widget, Get get, Set set) {
    QPointer<Widget> guard(widget);
    return WindowText{std::move(key),
                      [guard, get]() -> std::optional<QString> {
                          if (!guard)
                              return std::nullopt;
                          return (guard.data()->*get)();
                      },
                      [guard, set](const QString &text) {
                          if (!guard)
                              return false;
                          (guard.data()->*set)(text);
                          guard->update();
                          return true;
                      }};
}

QList<WindowText> tabTexts(const QString &key, QObject *control) {
    QList<WindowText> texts;
    QPointer<QObject> guard(control);
    const auto bar = [guard]() -> QTabBar * {
        if (auto *tabs = qobject_cast<QTabWidget *>(guard.data()))
            return tabs->tabBar();
        return qobject_cast<QTabBar *>(guard.data());
    };
    QTabBar *tabBar = bar();
    const int count = tabBar ? tabBar->count() : 0;
    for (int i = 0; i < count; ++i) {
        texts.append(WindowText{key + QStringLiteral("_TABS") + QString::number(i + 1),
                                [bar, i]() -> std::optional<QString> {
                                    QTabBar *b = bar();
                                    if (!b || i >= b->count())
                                        return std::nullopt;
                                    return b->tabText(i);
                                },
                                [bar, guard, i](const QString &text) {
                                    QTabBar *b = bar();
                                    if (!b || i >= b->count())
                                        return false;
                                    b->setTabText(i, text);
                                    redraw(guard.data());
                                    return true;
                                }});
    }
    return texts;
}

QList<WindowText> columnTexts(const QString &key, QObject *control) {
    QList<WindowText> texts;
    auto *view = qobject_cast<QAbstractItemView *>(control);
    if (!view || !view->model())
        return texts;
    QPointer<QAbstractItemView> guard(view);
    const int count = view->model()->columnCount();
    for (int i = 0; i < count; ++i) {
        texts.append(WindowText{key + QStringLiteral("_COL") + QString::number(i + 1),
                                [guard, i]() -> std::optional<QString> {
                                    if (!guard || !guard->model() || i >= guard->model()->columnCount())
                                        return std::nullopt;
                                    const QVariant header = guard->model()->headerData(i, Qt::Horizontal);
                                    if (!header.isValid())
                                        return std::nullopt;
                                    return header.toString();
                                },
                                [guard, i](const QString &text) {
                                    if (!guard || !guard->model() ||
                                        !guard->model()->setHeaderData(i, Qt::Horizontal, text))
                                        return false;
                                    if (QHeaderView *header = columnHeader(guard.data()))
                                        header->viewport()->update();
                                    guard->update();
                                    return true;
                                }});
    }
    return texts;
}

} // namespace

QString controlKind(const QObject *control) {
    if (!control)
        return QString();
    const QString declared = control->property(KindProperty).toString();
    if (!declared.isEmpty())
        return declared;
    if (qobject_cast<const QLabel *>(control))
        return QStringLiteral("Label");
    if (qobject_cast<const QCheckBox *>(control))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton *>(control))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QPushButton *>(control))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QGroupBox *>(control))
        return QStringLiteral("Frame");
    if (qobject_cast<const QTabWidget *>(control))
        return QStringLiteral("TabStrip");
    if (qobject_cast<const QTabBar *>(control) && !qobject_cast<const QTabWidget *>(control->parent()))
        return QStringLiteral("TabStrip");
    if (columnHeader(control))
        return QStringLiteral("ListView");
    if (qobject_cast<const QMenu *>(control) || qobject_cast<const QAction *>(control))
        return QStringLiteral("Menu");
    return QString();
}

QList<QObject *> windowControls(QWidget *window) {
    QList<QObject *> controls;
    if (!window)
        return controls;
    // Depth first, children in creation order, without entering other top-level windows.
    const std::function<void(QObject *)> walk = [&](QObject *parent) {
        for (QObject *child : parent->children()) {
            const auto *widget = qobject_cast<QWidget *>(child);
            if (widget && widget->isWindow() && !qobject_cast<QMenu *>(child))
                continue;
            if (isControl(child))
                controls.append(child);
            // Tab bars and item views are whole controls: their parts (scroll buttons,
            // headers, viewports) are not controls of the window.
            if (!qobject_cast<QTabBar *>(child) && !qobject_cast<QAbstractItemView *>(child))
                walk(child);
        }
    };
    walk(window);
    return controls;
}

QList<WindowText> controlTexts(QObject *control, const QString &windowName) {
    const QString kind = controlKind(control);
    const QString key = windowName + QLatin1Char('_') + control->objectName();
    if (kind == QLatin1String("Label") || kind == QLatin1String("SkinLabel")) {
        if (auto *label = qobject_cast<QLabel *>(control))
            return {simpleText(key, label, &QLabel::text, &QLabel::setText)};
    } else if (kind == QLatin1String("CommandButton") || kind == QLatin1String("CheckBox")) {
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            return {simpleText(key, button, &QAbstractButton::text, &QAbstractButton::setText)};
    } else if (kind == QLatin1String("Frame")) {
        if (auto *frame = qobject_cast<QGroupBox *>(control))
            return {simpleText(key, frame, &QGroupBox::title, &QGroupBox::setTitle)};
    } else if (kind == QLatin1String("OptionButton")) {
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            return {simpleText(key + indexText(control), button, &QAbstractButton::text,
                               &QAbstractButton::setText)};
    } else if (kind == QLatin1String("TabStrip")) {
        return tabTexts(key, control);
    } else if (kind == QLatin1String("ListView")) {
        return columnTexts(key, control);
    } else if (kind == QLatin1String("Menu")) {
        if (auto *menu = qobject_cast<QMenu *>(control))
            return {simpleText(key + indexText(control), menu, &QMenu::title, &QMenu::setTitle)};
        if (auto *action = qobject_cast<QAction *>(control)) {
            QPointer<QAction> guard(action);
            return {WindowText{key + indexText(control),
                               [guard]() -> std::optional<QString> {
                                   if (!guard)
                                       return std::nullopt;
                                   // A separator is "-" in the file; on screen it is a line.
                                   return guard->isSeparator() ? QStringLiteral("-") : guard->text();
                               },
                               [guard](const QString &text) {
                                   if (!guard)
                                       return false;
                                   if (!guard->isSeparator())
                                       guard->setText(text);
                                   return true;
                               }}};
        }
    }
    // Any other kind, or a declared kind the object cannot carry, has no texts.
    return {};
}

WindowText windowCaption(QWidget *window) {
    const QString key = (window->objectName() + QStringLiteral("_CAPTION")).toUpper();
    return simpleText(key, window, &QWidget::windowTitle, &QWidget::setWindowTitle);
}

} // namespace vesperon
