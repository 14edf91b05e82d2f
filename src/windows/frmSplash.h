#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

namespace vesperon {

struct AppContext;

// The program's first window: shows the splash picture for 75 ticks of a 2 ms timer, then
// loads the main window and shows it, unless the main window went straight to the tray.
// It stays loaded, hidden, until the main window unloads.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    // loadMainWindow builds and loads the main window (its whole start-up) and returns it.
    frmSplash(AppContext &context, std::function<QWidget *()> loadMainWindow);

    // Product values, then the timer.
    void Form_Load();
    void Timer2_Timer();

    qint16 SplashTicks() const { return m_SplashTicks; }
    QTimer &Timer2() { return m_Timer2; }

    static constexpr qint16 TicksToMainWindow = 150; // 75 ticks of 2

private:
    AppContext &m_ctx;
    std::function<QWidget *()> m_loadMainWindow;
    QTimer m_Timer2;
    qint16 m_SplashTicks = 0;
};

} // namespace vesperon
