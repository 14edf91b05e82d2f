#pragma once

#include "schedule/RunWarner.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace vesperon {

class Clock;
class LanguageEngine;

// The warning shown a lead time before a scheduled action: what happens, to which schedule,
// in how long, and three ways out. It stays on top of the other windows without taking the
// focus from what the user is typing, and shows on its own, so a hidden main window stays
// hidden. It counts down by the clock and closes when the action starts, or on any answer.
class ActionWarningWindow : public QWidget {
    Q_OBJECT
public:
    ActionWarningWindow(const Clock &clock, LanguageEngine &languages, UpcomingRun run);

    const UpcomingRun &run() const { return m_run; }
    // The warning's text as it reads now: "Shut Down in 0:59 — schedule 'Nightly'".
    QString text() const;

public slots:
    // Counts down; closes when the run's moment has come.
    void tick();

signals:
    void cancelChosen(const vesperon::UpcomingRun &run);
    void postponeChosen(const vesperon::UpcomingRun &run);
    void doNowChosen(const vesperon::UpcomingRun &run);

private:
    QPushButton *addButton(const char *name, const QString &message);

    const Clock &m_clock;
    LanguageEngine &m_languages;
    UpcomingRun m_run;
    QLabel *m_lblWarning = nullptr;
    QTimer m_countdown;
};

// m:ss of the time left until moment, never below 0:00.
QString countdownText(const QDateTime &now, const QDateTime &moment);

} // namespace vesperon
