#pragma once

#include "core/Clock.h"
#include "schedule/ScheduleListModel.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace vesperon {

class SchedulerCycle;

// A run the list holds for the future: the row's schedule and action, its next-run text and
// the moment the action starts (the start of the minute the cycle finds the row due in).
struct UpcomingRun {
    QString name;
    QString type;
    QString nextRunText;
    QDateTime moment;

    bool operator==(const UpcomingRun &) const = default;
};

// The moment the run of a next-run text starts; nullopt when the text cannot be read.
std::optional<QDateTime> runMomentOf(const QString &nextRunText);

// The earliest run of the list that starts after now, passing over the rows leaveOut names.
std::optional<UpcomingRun> nextRun(const ScheduleListModel &model, const QDateTime &now,
                                   const std::function<bool(const ScheduleRow &)> &leaveOut = {});

// Tells of each run a lead time before it starts, and lets the user cancel or postpone it.
// The warning comes once per run: when the lead time begins, or at once when a run is
// added (or the clock jumps) closer than that. A lead of 0 turns the warning off. Nobody's
// answer is awaited: the cycle performs the run at its minute as it always does.
class RunWarner : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxLeadSeconds = 600;
    static constexpr int PostponeMinutes = 10;

    RunWarner(ScheduleListModel &model, const Clock &clock, SchedulerCycle &cycle, QObject *parent = nullptr);

    // Where the lead time in seconds is read, each time the next warning is planned.
    void setLeadSource(std::function<int()> leadSeconds) { m_leadSeconds = std::move(leadSeconds); }
    // Plans the first warning; from then on every change of the list plans again.
    void start();

    // The next run the cycle will perform, skipped runs passed over; nullopt when none.
    std::optional<UpcomingRun> nextRun() const;
    // This run does not happen; a repeating schedule keeps its following runs.
    void skip(const UpcomingRun &run);
    // This run happens PostponeMinutes later, as a quick-schedule row; answers that moment.
    QDateTime postpone(const UpcomingRun &run);

    // The single shot armed for the next warning (or for the next run, after its warning).
    const QTimer &warningTimer() const { return m_timer; }

public slots:
    // Shows the warning that is due and arms the timer for the next one.
    void check();

signals:
    void warning(const vesperon::UpcomingRun &run);
    // The next run is another one, or none.
    void nextRunChanged();

private:
    int leadSeconds() const;

    ScheduleListModel &m_model;
    const Clock &m_clock;
    SchedulerCycle &m_cycle;
    std::function<int()> m_leadSeconds;
    std::optional<UpcomingRun> m_lastNext;
    std::optional<UpcomingRun> m_warned;
    bool m_started = false;
    QTimer m_timer;
};

} // namespace vesperon
