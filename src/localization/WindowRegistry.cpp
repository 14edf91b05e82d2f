#include "localization/WindowRegistry.h"

namespace vesperon {

void WindowRegistry::registerWindow(QWidget *window) {
    if (!window || windows().contains(window))
        return;
    m_windows.append(QPointer<QWidget>(window));
}

QList<QWidget *> WindowRegistry::windows() const {
    m_windows.removeIf([](const QPointer<QWidget> &window) { return window.isNull(); });
    QList<QWidget *> live;
    for (const QPointer<QWidget> &window : m_windows)
        live.append(window.data());
    return live;
}

WindowRegistry &liveWindows() {
    static WindowRegistry registry;
    return registry;
}

} // namespace vesperon
