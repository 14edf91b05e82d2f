#pragma once

#include "core/Clock.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleListModel.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

namespace vesperon {

// The pipeline that makes schedules happen. tmrScheduler scans the schedule list and queues
// every row due this minute; tmrProcessSchedule hands a non-empty queue to timSchedule, which
// takes the first name, finds its row and performs the row's action. Only one action is
// performed per hand-over: the names still queued behind it are dropped.
//
// A row can only become due when a new wall-clock minute starts, when the list changes, when
// chkPrevent is cleared, or when the wall clock jumps (set by hand, by the network time, or
// a resume from sleep). So instead of scanning twice a second the scan is a single shot armed
// for the start of the next minute, and fired at once on each of the other events; an idle
// program wakes once a minute. The single shot never sleeps more than a minute, so a clock
// jump nobody reported is caught within one; Linux and Windows report a jump or a resume at
// once.
//
// The cycle knows nothing of how an action is performed: the main window passes in a
// performer (the power actions live above this library). Each tick is a public slot, so a
// test can call it directly with a set clock instead of waiting for the timers.
//
// A next run in a minute the local clocks skip (daylight saving time begins) is due in the
// first minute after the skip; a minute the clocks repeat fires once, as the row then has
// its following run or none.
//
// A row backed by a schedule file gets its next run from the file again once the minute
// of its current one has passed, fired or missed, so a repeating schedule keeps firing
// while the program runs. Quick-schedule rows have no file: once fired they stay without
// a next run, and a missed one keeps its past moment, until the list is reloaded.
class SchedulerCycle : public QObject {
    Q_OBJECT
public:
    // The longest the scan sleeps: it always wakes at the start of the next minute.
    static constexpr int SchedulerMaxSleepMs = 60'000;
    static constexpr int ProcessScheduleIntervalMs = 500;
    static constexpr int ScheduleIntervalMs = 250;

    // Performs the action named actionType (the row's "Type") for the schedule scheduleName.
    using ActionPerformer = std::function<void(const QString &scheduleName, const QString &actionType)>;

    // Why a run's minute passed without it: nobody scanned in that minute (the computer slept),
    // or chkPrevent was ticked then.
    enum class MissReason { Asleep, Prevented };
    using MissedHandler = std::function<void(const ScheduleRow &row, MissReason reason)>;

    SchedulerCycle(ScheduleListModel &model, const Clock &clock, QString dataFolder,
                   ActionPerformer performer, QObject *parent = nullptr);

    // Starts scanning (the main window does this once it has loaded) with a scan at once;
    // the other two timers start only when something is queued.
    void start();

    // chkPrevent: while it is ticked, scans change nothing and due moments pass unperformed
    // (they are only noted, to be told as missed for that reason).
    // Clearing it scans at once, as a row of the current minute is due again.
    void setPreventSchedules(bool prevent);
    bool preventSchedules() const { return m_prevent; }

    // Told once of each run whose minute passed unperformed (not of a skipped one), when a scan
    // finds it: after a resume from sleep, or in the first minute after it while chkPrevent is
    // ticked.
    void setMissedHandler(MissedHandler handler) { m_missed = std::move(handler); }

    // The run of the row named name with that next-run text is not performed: when its minute
    // comes the row moves on as though it had fired.
    void skipRun(const QString &name, const QString &nextRunText);
    bool isSkipped(const QString &name, const QString &nextRunText) const;

    // The hidden queue of schedule names, first to be performed first.
    const QStringList &lstSchedule() const { return m_lstSchedule; }

    const QTimer &tmrScheduler() const { return m_tmrScheduler; }
    const QTimer &tmrProcessSchedule() const { return m_tmrProcessSchedule; }
    const QTimer &timSchedule() const { return m_timSchedule; }

    // What a tick does where it lets pending events be handled (before each row of a scan,
    // and after taking a name from the queue). By default QCoreApplication::processEvents,
    // skipped when events were handled less than a millisecond before.
    void setPendingEventsHandler(std::function<void()> handler) {
        m_handlePendingEvents = std::move(handler);
    }

public slots:
    // Queues every row due this minute, in list order. A row whose next run cannot be read has
    // none: it is cleared and the scan goes on. Ends early, when the list was reloaded while
    // events were handled, and scans the new list at once. Then sleeps until the next minute.
    void tmrScheduler_Timer();
    // The wall clock jumped or the computer resumed from sleep: scan at once.
    void clockChanged() {
        scanSoon();
        emit clockJumped();
    }
    // Hands a non-empty queue over to timSchedule.
    void tmrProcessSchedule_Timer();
    // Performs the first queued schedule that still has a row, then looks at the queue again.
    void timSchedule_Timer();

signals:
    // The wall clock jumped or the computer resumed from sleep.
    void clockJumped();

private:
    void scan();
    // A run whose minute has passed: skipped, or missed and told once.
    void runPassed(const ScheduleRow &row, const QString &key);
    // Arms the scan for the start of the next minute of the wall clock.
    void sleepUntilNextMinute();
    void scanSoon();
    void watchClockChanges();
    // Sets a row's next run from the scan itself, which is no change of the list to scan for.
    void setNextRunTime(int row, const QString &text);
    // The wall-clock minute a next-run text runs in; nullopt when the text cannot be read.
    std::optional<WallMinute> runMinuteOfText(const QString &nextRunText);
    void handlePendingEvents();
    QString nextRunFromFile(const ScheduleRow &row, const QDateTime &now);

    ScheduleListModel &m_model;
    const Clock &m_clock;
    QString m_dataFolder;
    ActionPerformer m_performer;
    std::function<void()> m_handlePendingEvents;
    bool m_prevent = false;
    bool m_started = false;
    bool m_scanning = false;
    bool m_listChangedDuringScan = false;
    bool m_settingRow = false;
    QStringList m_lstSchedule;
    MissedHandler m_missed;
    // Runs by name and next-run text: skipped by the user, due while chkPrevent was ticked,
    // and told as missed.
    QSet<QString> m_skippedRuns;
    QSet<QString> m_preventedRuns;
    QSet<QString> m_missedRuns;
    QHash<QString, std::optional<WallMinute>> m_runMinutes;
    // The data folder's recorded date form: once recorded it never changes, so it is read
    // from its file once rather than for every row that fires or is missed.
    std::optional<QString> m_recordedDateForm;
    QTimer m_tmrScheduler;
    QTimer m_tmrProcessSchedule;
    QTimer m_timSchedule;
    // Tells of clock jumps and resumes (Linux, Windows); a child of the cycle.
    QObject *m_clockWatch = nullptr;
};

} // namespace vesperon
