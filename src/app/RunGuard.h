#pragma once

#include "app/ActionAvailability.h"
#include "schedule/RunHistory.h"
#include "schedule/RunWarner.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace vesperon {

class ActionWarningWindow;
class Clock;
class LanguageEngine;
class PowerBackend;
class Prompt;
class SchedulerCycle;
class TrayHost;
struct PowerOutcome;
struct ProgramValues;

struct RunGuardSeams {
    const Clock &clock;
    Prompt &prompt;
    TrayHost &tray;
    PowerBackend &power;
    LanguageEngine &languages;
    const ProgramValues &values;
};

// What lets the user trust the schedules: the warning before each run (with its desktop
// notification) and the answers to it, the next run in words, the history of every run, a
// refused action told even without a tray icon, and a look at the list the moment the computer
// wakes. The main window shows what it says; the timing lives in RunWarner and SchedulerCycle.
class RunGuard : public QObject {
    Q_OBJECT
public:
    // Performs a run at once, started by the user.
    using DoNow = std::function<void(const QString &scheduleName, const QString &actionType)>;

    RunGuard(RunGuardSeams seams, ScheduleListModel &model, SchedulerCycle &cycle, QString historyPath,
             std::function<int()> leadSeconds, DoNow doNow, QObject *parent = nullptr);
    ~RunGuard() override;

    // Plans the first warning (after the list is loaded). The list's load asks which actions can run.
    void start();

    RunWarner &warner() { return m_warner; }
    const RunHistory &history() const { return m_history; }
    // What the system lets this session do unattended, asked again after each wake.
    ActionAvailability &availability() { return m_availability; }
    // The warning on screen, if any.
    ActionWarningWindow *warningWindow() const;

    // "Shut Down at 22:00 — Nightly", with "(needs a password)" or "(not available here)" when
    // the system will not let it run unattended; empty when nothing is planned.
    QString nextActionText() const;
    // Whether the next run starts within a day, so that skipping it makes sense.
    bool nextRunWithinADay() const;
    // The tray's "Skip next run".
    void skipNext();

    // Records what became of an action; a refusal is told in the user's language, with the
    // system's own words below.
    void performed(const QString &scheduleName, const QString &actionType, const PowerOutcome &outcome);

signals:
    void nextRunChanged();

private:
    void showWarning(const UpcomingRun &run);
    void record(HistoryEntry::Outcome outcome, const QString &action, const QString &schedule,
                const QString &detail = QString());
    void skip(const UpcomingRun &run);
    void postpone(const UpcomingRun &run);

    RunGuardSeams m_seams;
    SchedulerCycle &m_cycle;
    RunWarner m_warner;
    RunHistory m_history;
    ActionAvailability m_availability;
    DoNow m_doNow;
    QPointer<ActionWarningWindow> m_window;
};

} // namespace vesperon
