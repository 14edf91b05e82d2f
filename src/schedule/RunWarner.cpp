#include "schedule/RunWarner.h"

#include "core/ShortDate.h"
#include "schedule/DueTime.h"
#include "schedule/QuickSchedule.h"
#include "schedule/SchedulerCycle.h"

#include <algorithm>

namespace vesperon {

namespace {

// A timer sleeps at most this long, so a long wait never overflows and ends soon after a
// resume nobody reported.
constexpr qint64 LongestSleepMs = 60 * 60 * 1000;

} // namespace

std::optional<QDateTime> runMomentOf(const QString &nextRunText) {
    const QStringList pieces = nextRunText.split(QLatin1Char(' '));
    if (pieces.size() < 2)
        return std::nullopt;
    const auto date = parseShortDate(pieces.at(0));
    const auto time = parseTimeOfDay(pieces.at(1));
    if (!date || !time)
        return std::nullopt;
    const WallMinute minute = runMinuteOf(*date, *time);
    return QDateTime(QDate::fromJulianDay(minute.day), QTime(minute.minute / 60, minute.minute % 60));
}

std::optional<UpcomingRun> nextRun(const ScheduleListModel &model, const QDateTime &now,
                                   const std::function<bool(const ScheduleRow &)> &leaveOut) {
    std::optional<UpcomingRun> earliest;
    for (const ScheduleRow &row : model.rows()) {
        if (row.nextRunTime.isEmpty() || (leaveOut && leaveOut(row)))
            continue;
        const auto moment = runMomentOf(row.nextRunTime);
        if (moment && *moment > now && (!earliest || *moment < earliest->moment))
            earliest = UpcomingRun{row.name, row.type, row.nextRunTime, *moment};
    }
    return earliest;
}

RunWarner::RunWarner(ScheduleListModel &model, const Clock &clock, SchedulerCycle &cycle, QObject *parent)
    : QObject(parent), m_model(model), m_clock(clock), m_cycle(cycle) {
    m_timer.setObjectName(QStringLiteral("tmrWarning"));
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RunWarner::check);
    connect(&m_model, &QAbstractItemModel::modelReset, this, &RunWarner::check);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &RunWarner::check);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, &RunWarner::check);
    connect(&m_cycle, &SchedulerCycle::clockJumped, this, &RunWarner::check);
}

void RunWarner::start() {
    m_started = true;
    check();
}

int RunWarner::leadSeconds() const {
    return m_leadSeconds ? std::clamp(m_leadSeconds(), 0, MaxLeadSeconds) : 0;
}

std::optional<UpcomingRun> RunWarner::nextRun() const {
    return vesperon::nextRun(m_model, m_clock.now(), [this](const ScheduleRow &row) {
        return m_cycle.isSkipped(row.name, row.nextRunTime);
    });
}

void RunWarner::skip(const UpcomingRun &run) {
    m_cycle.skipRun(run.name, run.nextRunText);
    check();
}

QDateTime RunWarner::postpone(const UpcomingRun &run) {
    const QDateTime now = m_clock.now();
    const QDateTime later = std::max(run.moment, now).addSecs(PostponeMinutes * 60);
    m_cycle.skipRun(run.name, run.nextRunText);
    ScheduleRow row = quickScheduleRow(run.type, QString(), now);
    row.nextRunTime = nextRunTextFor(later);
    m_model.appendRow(row); // plans again
    return later;
}

void RunWarner::check() {
    if (!m_started)
        return;
    const QDateTime now = m_clock.now();
    const std::optional<UpcomingRun> next = nextRun();
    if (next != m_lastNext) {
        m_lastNext = next;
        emit nextRunChanged();
    }
    m_timer.stop();
    if (!next)
        return;
    const int lead = leadSeconds();
    const QDateTime warnAt = next->moment.addSecs(-lead);
    QDateTime wakeAt = next->moment; // the run after this one is planned once it has started
    if (lead == 0 || m_cycle.preventSchedules()) {
        wakeAt = next->moment;
    } else if (now < warnAt) {
        wakeAt = warnAt;
    } else if (m_warned != next) {
        m_warned = next;
        emit warning(*next);
    }
    m_timer.start(int(std::clamp(now.msecsTo(wakeAt), qint64(0), LongestSleepMs)));
}

} // namespace vesperon
