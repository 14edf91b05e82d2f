#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace vesperon {

// The program's live top-level windows in the order they were created. Each window adds
// itself while it is built; a destroyed window drops out on its own, and a window built
// again later counts as created last. The template writer walks this list.
class WindowRegistry {
public:
    // Adds window at the end unless it is already listed.
    void registerWindow(QWidget *window);
    // The live windows, oldest first (hidden ones included).
    QList<QWidget *> windows() const;

private:
    mutable QList<QPointer<QWidget>> m_windows;
};

// The registry of the running program.
WindowRegistry &liveWindows();

} // namespace vesperon
