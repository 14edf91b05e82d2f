#pragma once

#include "core/Prompt.h"
#include "core/Shell.h"

#include <QPointer>
#include <QWidget>

namespace vesperon {

// Message boxes on screen, centred over the window that asks.
class MessageBoxPrompt final : public Prompt {
public:
    Answer ask(const QString &text, const QString &title, Buttons buttons, Icon icon = Icon::None) override;
    // The window a box goes over when no window is active.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

private:
    QPointer<QWidget> m_mainWindow;
};

// The desktop's default programs (QDesktopServices) and detached processes.
class DesktopShell final : public Shell {
public:
    bool open(const QString &documentOrAddress) override;
    bool start(const QString &program, const QStringList &arguments) override;
};

} // namespace vesperon
