#include "schedule/SchedulerCycle.h"

#include "core/ShortDate.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "schedule/StoredDateForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#ifdef Q_OS_LINUX
#include <QSocketNotifier>
#include <cstdint>
#include <limits>
#include <sys/timerfd.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <windows.h>
#endif

namespace vesperon {

namespace {

// Lets the window handle what is pending, unless it did so less than a millisecond ago:
// as responsive as handling events before every row, without paying for an empty round of
// the event loop on each of a thousand rows.
std::function<void()> handleEventsEveryMillisecond() {
    return [since = QElapsedTimer()]() mutable {
        if (since.isValid() && since.nsecsElapsed() < 1'000'000)
            return;
        QCoreApplication::processEvents();
        since.start();
    };
}

#ifdef Q_OS_LINUX
// A wall-clock timer set to the end of time that the kernel cancels whenever the clock is set
// or the computer resumes from sleep: its descriptor turns readable on each such event.
class ClockSetWatch final : public QObject {
public:
    ClockSetWatch(QObject *parent, std::function<void()> onClockSet)
        : QObject(parent), m_fd(timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {
        if (m_fd < 0 || !arm())
            return;
        auto *notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, onClockSet = std::move(onClockSet)] {
            std::uint64_t expirations = 0;
            [[maybe_unused]] const auto read = ::read(m_fd, &expirations, sizeof expirations);
            arm(); // a cancelled timer stays cancelled until it is set again
            onClockSet();
        });
    }
    ~ClockSetWatch() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    bool arm() {
        itimerspec never{};
        never.it_value.tv_sec = std::numeric_limits<time_t>::max();
        return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never, nullptr) == 0;
    }
    int m_fd;
};
#endif

#ifdef Q_OS_WIN
// The messages Windows sends every top-level window when the clock was set or the computer
// resumed from sleep.
class ClockSetWatch final : public QObject, public QAbstractNativeEventFilter {
public:
    ClockSetWatch(QObject *parent, std::function<void()> onClockSet)
        : QObject(parent), m_onClockSet(std::move(onClockSet)) {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->installNativeEventFilter(this);
    }
    ~ClockSetWatch() override {
        if (QCoreApplication *app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
    }
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG *msg = static_cast<const MSG *>(message);
        const bool resumed = msg->message == WM_POWERBROADCAST &&
                             (msg->wParam == PBT_APMRESUMEAUTOMATIC || msg->wParam == PBT_APMRESUMESUSPEND);
        if (msg->message == WM_TIMECHANGE || resumed)
            QMetaObject::invokeMethod(this, m_onClockSet, Qt::QueuedConnection); // after the message
        return false;
    }

private:
    std::function<void()> m_onClockSet;
};
#endif

QString runKey(const QString &name, const QString &nextRunText) {
    return name + QChar(0) + nextRunText;
}

} // namespace

void SchedulerCycle::skipRun(const QString &name, const QString &nextRunText) {
    m_skippedRuns.insert(runKey(name, nextRunText));
}

bool SchedulerCycle::isSkipped(const QString &name, const QString &nextRunText) const {
    return m_skippedRuns.contains(runKey(name, nextRunText));
}

void SchedulerCycle::runPassed(const ScheduleRow &row, const QString &key) {
    if (m_skippedRuns.remove(key) || m_missedRuns.contains(key))
        return;
    m_missedRuns.insert(key);
    const MissReason reason = m_preventedRuns.remove(key) ? MissReason::Prevented : MissReason::Asleep;
    if (m_missed)
        m_missed(row, reason);
}

std::optional<WallMinute> SchedulerCycle::runMinuteOfText(const QString &nextRunText) {
    const auto known = m_runMinutes.constFind(nextRunText);
    if (known != m_runMinutes.cend())
        return *known;
    std::optional<WallMinute> minute;
    const QStringList pieces = nextRunText.split(QLatin1Char(' '));
    if (pieces.size() >= 2) {
        const auto date = parseShortDate(pieces.at(0));
        const auto time = parseTimeOfDay(pieces.at(1));
        if (date && time)
            minute = runMinuteOf(*date, *time);
    }
    m_runMinutes.insert(nextRunText, minute);
    return minute;
}

SchedulerCycle::SchedulerCycle(ScheduleListModel &model, const Clock &clock, QString dataFolder,
                               ActionPerformer performer, QObject *parent)
    : QObject(parent), m_model(model), m_clock(clock), m_dataFolder(std::move(dataFolder)),
      m_performer(std::move(performer)), m_handlePendingEvents(handleEventsEveryMillisecond()) {
    m_tmrScheduler.setObjectName(QStringLiteral("tmrScheduler"));
    m_tmrScheduler.setSingleShot(true);
    m_tmrScheduler.setTimerType(Qt::PreciseTimer); // on time at the start of a minute
    m_tmrProcessSchedule.setObjectName(QStringLiteral("tmrProcessSchedule"));
    m_tmrProcessSchedule.setInterval(ProcessScheduleIntervalMs);
    m_timSchedule.setObjectName(QStringLiteral("timSchedule"));
    m_timSchedule.setInterval(ScheduleIntervalMs);
    connect(&m_tmrScheduler, &QTimer::timeout, this, &SchedulerCycle::tmrScheduler_Timer);
    connect(&m_tmrProcessSchedule, &QTimer::timeout, this, &SchedulerCycle::tmrProcessSchedule_Timer);
    connect(&m_timSchedule, &QTimer::timeout, this, &SchedulerCycle::timSchedule_Timer);
    // A row added, reloaded or given a new next run may be due this very minute.
    const auto listChanged = [this] {
        if (m_settingRow)
            return;
        if (m_scanning)
            m_listChangedDuringScan = true;
        else
            scanSoon();
    };
    connect(&m_model, &QAbstractItemModel::modelReset, this, listChanged);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, listChanged);
    connect(&m_model, &QAbstractItemModel::dataChanged, this, listChanged);
}

void SchedulerCycle::start() {
    m_started = true;
    watchClockChanges();
    scanSoon();
}

void SchedulerCycle::setPreventSchedules(bool prevent) {
    const bool cleared = m_prevent && !prevent;
    m_prevent = prevent;
    if (cleared)
        scanSoon();
}

void SchedulerCycle::scanSoon() {
    if (m_scanning)
        m_listChangedDuringScan = true; // the running scan arms the next one when it ends
    else if (m_started)
        m_tmrScheduler.start(0);
}

void SchedulerCycle::sleepUntilNextMinute() {
    if (!m_started)
        return;
    const QTime time = m_clock.now().time();
    const int intoMinute = time.isValid() ? time.second() * 1000 + time.msec() : 0;
    m_tmrScheduler.start(SchedulerMaxSleepMs - intoMinute);
}

void SchedulerCycle::watchClockChanges() {
#if defined(Q_OS_LINUX) || defined(Q_OS_WIN)
    if (!m_clockWatch)
        m_clockWatch = new ClockSetWatch(this, [this] { clockChanged(); });
#endif
}

void SchedulerCycle::setNextRunTime(int row, const QString &text) {
    m_settingRow = true;
    m_model.setNextRunTime(row, text);
    m_settingRow = false;
}

void SchedulerCycle::handlePendingEvents() {
    if (m_handlePendingEvents)
        m_handlePendingEvents();
}

QString SchedulerCycle::nextRunFromFile(const ScheduleRow &row, const QDateTime &now) {
    if (!isPlainScheduleName(row.name))
        return QString();
    const auto text = readScheduleFile(scheduleFilePath(rowFolder(row, m_dataFolder), row.name));
    if (!text)
        return QString();
    const QLocale locale;
    // The user's folder's form is read once; an administrator's folder is read as it is now.
    if (!row.managed() && !m_recordedDateForm)
        m_recordedDateForm = recordedDateForm(m_dataFolder);
    const QString form = row.managed() ? folderDateForm(row.managedFolder, locale)
                                       : m_recordedDateForm.value_or(storedDateForm(locale));
    return NextRunText(ReadSection(*text, QStringLiteral("SCHEDULER")), now, DateForms(form, locale));
}

void SchedulerCycle::tmrScheduler_Timer() {
    m_scanning = true;
    m_listChangedDuringScan = false;
    scan();
    m_scanning = false;
    if (m_listChangedDuringScan)
        scanSoon();
    else
        sleepUntilNextMinute();
}

void SchedulerCycle::scan() {
    const QDateTime now = m_clock.now();
    const WallMinute current = wallMinuteOf(now);
    const int count = m_model.rowCount();
    // Texts of rows long gone or fired are not kept for ever.
    if (m_runMinutes.size() > 2 * count + 64) {
        m_runMinutes.clear();
        m_preventedRuns.clear();
        // A quick row keeps its missed run: told once, as long as the row is there.
        QSet<QString> listed;
        for (const ScheduleRow &row : m_model.rows())
            listed.insert(runKey(row.name, row.nextRunTime));
        m_missedRuns.intersect(listed);
        m_skippedRuns.intersect(listed);
    }
    for (int i = 0; i < count; ++i) {
        handlePendingEvents();
        if (i >= m_model.rowCount())
            return; // the list was reloaded meanwhile; the next tick starts afresh
        const ScheduleRow row = m_model.row(i);
        if (row.nextRunTime.isEmpty())
            continue;
        // Reading a date in the locale's form is the costly part of a scan, so each text is
        // read once; IsDue has the last word on a row that reading puts in this minute.
        const std::optional<WallMinute> runMinute = runMinuteOfText(row.nextRunTime);
        if (!runMinute) {
            if (!m_prevent)
                setNextRunTime(i, QString()); // it could never be due
            continue;
        }
        const QString key = runKey(row.name, row.nextRunTime);
        if (m_prevent) {
            // Nothing is performed or moved on; a run passing meanwhile is told as prevented.
            if (*runMinute == current)
                m_preventedRuns.insert(key);
            else if (*runMinute < current)
                runPassed(row, key);
            continue;
        }
        const bool due = *runMinute == current && IsDue(row.nextRunTime, now).value_or(false);
        if (due) {
            if (!m_skippedRuns.remove(key)) {
                m_lstSchedule.append(row.name);
                m_tmrProcessSchedule.start();
            }
            // A fresh next run from the file is never the current minute, so the row is
            // queued once per due minute either way.
            setNextRunTime(i, row.hasFile ? nextRunFromFile(row, now) : QString());
        } else if (*runMinute < current) {
            runPassed(row, key);
            if (row.hasFile)
                setNextRunTime(i, nextRunFromFile(row, now)); // missed: take the next one
        }
    }
}

void SchedulerCycle::tmrProcessSchedule_Timer() {
    m_tmrProcessSchedule.stop();
    if (m_lstSchedule.isEmpty())
        return;
    m_timSchedule.start();
}

void SchedulerCycle::timSchedule_Timer() {
    m_timSchedule.stop();
    if (!m_lstSchedule.isEmpty()) {
        const QString name = m_lstSchedule.takeFirst();
        handlePendingEvents();
        const int position = m_model.FindScheduleRow(name);
        if (position > 0) {
            const QString type = m_model.row(position - 1).type;
            m_lstSchedule.clear();
            try {
                if (m_performer)
                    m_performer(name, type);
            } catch (...) {
                // A failed action ends this hand-over only; the cycle goes on.
            }
        }
    }
    // Hand-over: anything queued meanwhile gets its own turn.
    if (!m_lstSchedule.isEmpty())
        m_tmrProcessSchedule.start();
}

} // namespace vesperon
