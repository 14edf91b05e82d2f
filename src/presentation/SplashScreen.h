#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

namespace vesperon {

struct ProgramValues;

// The program's first window: shows the splash picture for 75 ticks of a 2 ms timer, then
// has the main window loaded and shows it, unless the main window went straight to the tray.
// It stays loaded, hidden, until the main window unloads.
class SplashScreen : public QWidget {
    Q_OBJECT
public:
    // loadMainWindow builds and loads the main window (its whole start-up) and returns the
    // window to show, or nullptr when it went straight to the tray. values receives the
    // product values of the version information when the splash starts.
    SplashScreen(ProgramValues &values, std::function<QWidget *()> loadMainWindow);

    // Product values, then the timer.
    void start();
    // One tick of the timer: counts 2 more and, at exactly 150, hands over to the main window.
    void tick();

    qint16 ticks() const { return m_ticks; }
    QTimer &timer() { return m_timer; }

    static constexpr qint16 TicksToMainWindow = 150; // 75 ticks of 2

private:
    ProgramValues &m_values;
    std::function<QWidget *()> m_loadMainWindow;
    QTimer m_timer;
    qint16 m_ticks = 0;
};

} // namespace vesperon
