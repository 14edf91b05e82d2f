#pragma once

// How the program's Qt windows map onto the translatable control kinds, and the texts of a
// window that translation items address. This is the one place that knows about widgets.
//
//   Qt class                                        kind             key (WINDOW_CONTROL...)
//   QLabel                                          "Label"          WINDOW_CONTROL
//   QLabel with property controlKind="SkinLabel"    "SkinLabel"      WINDOW_CONTROL
//   QPushButton                                     "CommandButton"  WINDOW_CONTROL
//   QGroupBox                                       "Frame"          WINDOW_CONTROL
//   QCheckBox                                       "CheckBox"       WINDOW_CONTROL
//   QRadioButton                                    "OptionButton"   WINDOW_CONTROLn
//   QTabWidget, QTabBar outside a QTabWidget        "TabStrip"       WINDOW_CONTROL_TABSi
//   QTreeView, QTableView showing a column header   "ListView"       WINDOW_CONTROL_COLi
//   QMenu (its title), QAction (its text)           "Menu"           WINDOW_CONTROLn
//   the window itself (its title)                                    WINDOW_CAPTION
//
// WINDOW is the window's objectName and CONTROL the control's. Only objects with an
// objectName are controls (Qt's own helpers, named "qt_..." or unnamed, are not). Like
// controls form an indexed group by sharing an objectName and carrying an integer property
// "index"; n is that index, or 0 for a control outside a group. Tabs and columns count from
// 1. A string property "controlKind" on any object overrides the kind its class gives.
//
// Controls are taken in the window's control order: its object tree depth first, children
// in creation order, not entering other windows (popup menus belong to their window) nor
// the inner parts of tab bars and item views.

#include <QList>
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace vesperon {

// One translatable text of a window.
struct WindowText {
    QString key;                                  // as the program spells it
    std::function<std::optional<QString>()> read; // nothing when it cannot be read
    std::function<bool(const QString &)> write;   // false when it cannot be set
};

// The kind of a control, one of the nine names above; empty for any other object.
QString controlKind(const QObject *control);

// The controls of a window in its control order (objects with an objectName only).
QList<QObject *> windowControls(QWidget *window);

// The texts of one control of the window named windowName, in key order.
QList<WindowText> controlTexts(QObject *control, const QString &windowName);

// The window's own title, under the key WINDOW "_CAPTION" (upper-cased).
WindowText windowCaption(QWidget *window);

} // namespace vesperon
