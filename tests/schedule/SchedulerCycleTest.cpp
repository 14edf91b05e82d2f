#include "schedule/SchedulerCycle.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "support/ScheduleRecords.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

// Readable failure messages for texts.
void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Wednesday 10 June 2026.
QDateTime at(int hour, int minute, int second = 0, int day = 10) {
    return QDateTime(QDate(2026, 6, day), QTime(hour, minute, second));
}

ScheduleRow quickRow(const QString &name, const QString &type, const QString &nextRun) {
    return ScheduleRow{name, type, QString(), nextRun, QStringLiteral("Yes"), false};
}

class SchedulerCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        cycle = std::make_unique<SchedulerCycle>(model, clock, m_dir.path(),
                                                 [this](const QString &name, const QString &type) {
                                                     performed << name + QStringLiteral(": ") + type;
                                                     if (failAction)
                                                         throw std::runtime_error("the system refused");
                                                 });
        cycle->setPendingEventsHandler([this] {
            if (duringPendingEvents)
                std::exchange(duringPendingEvents, nullptr)();
        });
    }

    // A daily schedule file starting 1 June at startTime, loaded as a row.
    ScheduleRow dailyFileRow(const QString &name, const QString &type, const QString &startTime) {
        const ScheduleRecord record =
            test::enabledSchedule(name, type, QStringLiteral("6/1/2026"), startTime);
        EXPECT_FALSE(WriteScheduleFile(record, m_dir.path()).has_value());
        return scheduleRowFromFile(scheduleFilePath(m_dir.path(), name), clock.now());
    }

    // Lets the hand-over timers fire as they would, one at a time, until both are stopped.
    void runHandOver() {
        for (int turns = 0; turns < 20; ++turns) {
            if (cycle->tmrProcessSchedule().isActive())
                cycle->tmrProcessSchedule_Timer();
            else if (cycle->timSchedule().isActive())
                cycle->timSchedule_Timer();
            else
                return;
        }
        ADD_FAILURE() << "the hand-over never came to rest";
    }

    // Lets the armed scan fire as the event loop would, the clock having moved on by its sleep.
    void sleepThroughArmedScan() {
        ASSERT_TRUE(cycle->tmrScheduler().isActive());
        clock.advance(cycle->tmrScheduler().interval());
        cycle->tmrScheduler_Timer();
    }

    bool scanArmedAtOnce() const {
        return cycle->tmrScheduler().isActive() && cycle->tmrScheduler().interval() == 0;
    }

    bool idle() const {
        return cycle->lstSchedule().isEmpty() && !cycle->tmrProcessSchedule().isActive() &&
               !cycle->timSchedule().isActive();
    }

    QTemporaryDir m_dir;
    ScheduleListModel model;
    SettableClock clock{at(14, 19, 30)};
    QStringList performed;
    bool failAction = false;
    std::function<void()> duringPendingEvents; // runs once, at the next pending-events point
    std::unique_ptr<SchedulerCycle> cycle;
};

TEST_F(SchedulerCycleTest, OnlyTheScanRunsAtFirst) {
    cycle->start();
    EXPECT_TRUE(cycle->tmrScheduler().isActive());
    EXPECT_FALSE(cycle->tmrProcessSchedule().isActive());
    EXPECT_FALSE(cycle->timSchedule().isActive());
}

TEST_F(SchedulerCycleTest, ARowIsQueuedOnceInItsMinuteAndNotAtTheNext) {
    model.setRows({quickRow(QStringLiteral("Quick"), QStringLiteral("Shut Down"),
                            QStringLiteral("6/10/2026 14:20:00"))});

    cycle->tmrScheduler_Timer(); // 14:19:30, not yet
    EXPECT_THAT(cycle->lstSchedule(), IsEmpty());
    EXPECT_FALSE(cycle->tmrProcessSchedule().isActive());

    clock.set(at(14, 20, 0));
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Quick"));
    EXPECT_EQ(model.row(0).nextRunTime, QString());
    EXPECT_TRUE(cycle->tmrProcessSchedule().isActive());

    clock.set(at(14, 20, 59));
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Quick"));

    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Quick: Shut Down"));
    EXPECT_TRUE(idle());

    clock.set(at(14, 21, 0));
    cycle->tmrScheduler_Timer();
    EXPECT_TRUE(idle());
    EXPECT_THAT(performed, ElementsAre("Quick: Shut Down"));
}

// Between minutes the scan sleeps, to wake exactly at the start of the next one.
TEST_F(SchedulerCycleTest, TheScanWakesAtTheStartOfEachMinuteAndQueuesTheRowsDueInIt) {
    model.setRows(
        {dailyFileRow(QStringLiteral("Daily"), QStringLiteral("Reboot"), QStringLiteral("14:21:00"))});
    clock.set(at(14, 19, 30).addMSecs(250));
    cycle->start();
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_EQ(cycle->tmrScheduler().interval(), 29'750);

    sleepThroughArmedScan(); // 14:20:00.000
    EXPECT_THAT(cycle->lstSchedule(), IsEmpty());
    EXPECT_EQ(cycle->tmrScheduler().interval(), SchedulerCycle::SchedulerMaxSleepMs);

    sleepThroughArmedScan(); // 14:21:00.000
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Daily"));
    // The scan's own change of the row (its next day) is no reason to scan again.
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:21:00");
    EXPECT_EQ(cycle->tmrScheduler().interval(), SchedulerCycle::SchedulerMaxSleepMs);
}

TEST_F(SchedulerCycleTest, AClockSetForwardOrAResumeQueuesTheRowsOfTheMinuteItLandsIn) {
    model.setRows({quickRow(QStringLiteral("Evening"), QStringLiteral("Shut Down"),
                            QStringLiteral("6/10/2026 22:00:00")),
                   quickRow(QStringLiteral("Morning"), QStringLiteral("Reboot"),
                            QStringLiteral("6/11/2026 07:30:00"))});
    cycle->start();
    cycle->tmrScheduler_Timer(); // 14:19:30, asleep for 30 s

    clock.set(at(22, 0, 40)); // set by hand while the scan sleeps
    cycle->clockChanged();
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Evening"));
    runHandOver();

    // A night asleep: the monotonic sleep of the scan stood still; the resume is reported.
    clock.set(at(7, 30, 12, 11));
    cycle->clockChanged();
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Morning"));
}

TEST_F(SchedulerCycleTest, AJumpNobodyReportedIsCaughtAtTheNextWakeWithinAMinute) {
    model.setRows({quickRow(QStringLiteral("Evening"), QStringLiteral("Shut Down"),
                            QStringLiteral("6/10/2026 22:00:00"))});
    cycle->start();
    cycle->tmrScheduler_Timer(); // 14:19:30, asleep for 30 s
    clock.set(at(22, 0, 5));
    sleepThroughArmedScan(); // 22:00:35
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Evening"));
}

TEST_F(SchedulerCycleTest, AClockSetBackQueuesARowOfTheMinuteItReturnsTo) {
    model.setRows(
        {quickRow(QStringLiteral("Quick"), QStringLiteral("Log Off"), QStringLiteral("6/10/2026 14:10:00"))});
    cycle->start();
    cycle->tmrScheduler_Timer(); // 14:19:30: missed; a quick row keeps its past moment
    EXPECT_THAT(cycle->lstSchedule(), IsEmpty());

    clock.set(at(14, 10, 20));
    cycle->clockChanged();
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Quick"));
}

TEST_F(SchedulerCycleTest, ASaveOrAQuickScheduleDueThisMinuteIsQueuedAtOnce) {
    cycle->start();
    cycle->tmrScheduler_Timer(); // 14:19:30, an empty list, asleep for 30 s
    ASSERT_FALSE(scanArmedAtOnce());

    // A save reloads the list, with a schedule due this minute.
    model.setRows(
        {quickRow(QStringLiteral("Saved"), QStringLiteral("Reboot"), QStringLiteral("6/10/2026 14:19:00"))});
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Saved"));
    runHandOver();
    ASSERT_FALSE(scanArmedAtOnce());

    model.appendRow(
        quickRow(QStringLiteral("Quick"), QStringLiteral("Log Off"), QStringLiteral("6/10/2026 14:19:00")));
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Quick"));
    runHandOver();

    // Clearing chkPrevent within the minute lets the row still due in it run.
    cycle->setPreventSchedules(true);
    model.setNextRunTime(1, QStringLiteral("6/10/2026 14:19:00"));
    cycle->tmrScheduler_Timer();
    ASSERT_FALSE(scanArmedAtOnce());
    cycle->setPreventSchedules(false);
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Quick"));
}

TEST_F(SchedulerCycleTest, PreventingSchedulesLetsADueMinutePassUnperformed) {
    model.setRows(
        {dailyFileRow(QStringLiteral("Daily"), QStringLiteral("Reboot"), QStringLiteral("14:20:00")),
         quickRow(QStringLiteral("Quick"), QStringLiteral("Log Off"), QStringLiteral("6/10/2026 14:20:00"))});
    ASSERT_EQ(model.row(0).nextRunTime, "6/10/2026 14:20:00");

    cycle->setPreventSchedules(true);
    for (const QDateTime &moment : {at(14, 19, 0), at(14, 20, 0), at(14, 20, 30), at(14, 21, 0)}) {
        clock.set(moment);
        cycle->tmrScheduler_Timer();
    }
    EXPECT_TRUE(idle());

    cycle->setPreventSchedules(false);
    clock.set(at(14, 22, 0));
    cycle->tmrScheduler_Timer();
    runHandOver();
    EXPECT_THAT(performed, IsEmpty());
    // The schedule file gives the missed row its next day; the quick row keeps its past moment.
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:20:00");
    EXPECT_EQ(model.row(1).nextRunTime, "6/10/2026 14:20:00");
}

TEST_F(SchedulerCycleTest, RowsDueTogetherAreAllQueuedButOnlyTheFirstIsPerformed) {
    model.setRows(
        {quickRow(QStringLiteral("First"), QStringLiteral("Stand by"), QStringLiteral("6/10/2026 14:20:00")),
         quickRow(QStringLiteral("Later"), QStringLiteral("Reboot"), QStringLiteral("6/10/2026 14:25:00")),
         quickRow(QStringLiteral("Second"), QStringLiteral("Shut Down"),
                  QStringLiteral("6/10/2026 14:20:10"))});
    clock.set(at(14, 20, 20));
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("First", "Second"));
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("First: Stand by"));
    EXPECT_TRUE(idle());
    EXPECT_EQ(model.row(1).nextRunTime, "6/10/2026 14:25:00");
}

TEST_F(SchedulerCycleTest, ANameWhoseRowWasReloadedAwayPerformsNothing) {
    model.setRows({quickRow(QStringLiteral("Quick"), QStringLiteral("Shut Down"),
                            QStringLiteral("6/10/2026 14:20:00"))});
    clock.set(at(14, 20, 5));
    cycle->tmrScheduler_Timer();
    model.setRows({quickRow(QStringLiteral("Other"), QStringLiteral("Reboot"), QString())});
    runHandOver();
    EXPECT_THAT(performed, IsEmpty());
    EXPECT_TRUE(idle());
}

TEST_F(SchedulerCycleTest, TheRowIsLookedUpAfterPendingEventsAndNamesLeftOverGetTheirTurn) {
    model.setRows(
        {quickRow(QStringLiteral("Gone"), QStringLiteral("Shut Down"), QStringLiteral("6/10/2026 14:20:00")),
         quickRow(QStringLiteral("Stays"), QStringLiteral("Hibernate"),
                  QStringLiteral("6/10/2026 14:20:00"))});
    clock.set(at(14, 20, 5));
    cycle->tmrScheduler_Timer();
    ASSERT_THAT(cycle->lstSchedule(), ElementsAre("Gone", "Stays"));

    cycle->tmrProcessSchedule_Timer();
    EXPECT_FALSE(cycle->tmrProcessSchedule().isActive());
    EXPECT_TRUE(cycle->timSchedule().isActive());
    // The user deletes "Gone" while the action timer lets events be handled.
    duringPendingEvents = [this] { model.setRows({model.row(1)}); };
    cycle->timSchedule_Timer();
    EXPECT_THAT(performed, IsEmpty());
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Stays"));
    EXPECT_TRUE(cycle->tmrProcessSchedule().isActive()); // handed over again

    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Stays: Hibernate"));
    EXPECT_TRUE(idle());
}

TEST_F(SchedulerCycleTest, AFailureInsideATickEndsOnlyThatTick) {
    // A row that vanishes while events are handled ends the scan; the next tick starts over.
    model.setRows(
        {quickRow(QStringLiteral("A"), QStringLiteral("Reboot"), QString()),
         quickRow(QStringLiteral("B"), QStringLiteral("Reboot"), QStringLiteral("6/10/2026 14:20:00"))});
    clock.set(at(14, 20, 0));
    duringPendingEvents = [this] {
        duringPendingEvents = [this] { model.setRows({model.row(1)}); }; // before the second row
    };
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), IsEmpty());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("B"));

    // A next run that cannot be read is no next run: the row is cleared and the rows after
    // it are scanned as usual.
    model.setRows(
        {quickRow(QStringLiteral("Bad"), QStringLiteral("Reboot"), QStringLiteral("tomorrow")),
         quickRow(QStringLiteral("C"), QStringLiteral("Log Off"), QStringLiteral("6/10/2026 14:20:00"))});
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("B", "C"));
    EXPECT_EQ(model.row(0).nextRunTime, QString());
    EXPECT_EQ(model.row(1).nextRunTime, QString());

    // An action that fails ends its hand-over; the pipeline comes to rest and runs again.
    model.setRows(
        {quickRow(QStringLiteral("B"), QStringLiteral("Reboot"), QString()),
         quickRow(QStringLiteral("D"), QStringLiteral("Stand by"), QStringLiteral("6/10/2026 14:21:00"))});
    failAction = true;
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("B: Reboot"));
    EXPECT_TRUE(idle());
    failAction = false;
    clock.set(at(14, 21, 0));
    cycle->tmrScheduler_Timer();
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("B: Reboot", "D: Stand by"));
}

TEST_F(SchedulerCycleTest, ADailyScheduleFiresAgainTheNextDayWithoutAReload) {
    model.setRows(
        {dailyFileRow(QStringLiteral("Evening"), QStringLiteral("Shut Down"), QStringLiteral("14:20:00"))});
    ASSERT_EQ(model.row(0).nextRunTime, "6/10/2026 14:20:00");

    clock.set(at(14, 20, 10));
    cycle->tmrScheduler_Timer();
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:20:00"); // tomorrow, from the file
    cycle->tmrScheduler_Timer();                               // same minute: not again
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Evening"));
    runHandOver();

    clock.set(at(14, 20, 1, 11));
    cycle->tmrScheduler_Timer();
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Evening: Shut Down", "Evening: Shut Down"));
    EXPECT_EQ(model.row(0).nextRunTime, "6/12/2026 14:20:00");
}

TEST_F(SchedulerCycleTest, AFiredScheduleWhoseFileIsGoneHasNoNextRun) {
    model.setRows(
        {dailyFileRow(QStringLiteral("Once"), QStringLiteral("Reboot"), QStringLiteral("14:20:00"))});
    ASSERT_TRUE(QFile::remove(scheduleFilePath(m_dir.path(), QStringLiteral("Once"))));
    clock.set(at(14, 20, 0));
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Once"));
    EXPECT_EQ(model.row(0).nextRunTime, QString());
}

// Puts the process in a time zone for one test, and back into the one it had afterwards.
class TimeZoneScope {
public:
    explicit TimeZoneScope(const char *zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~TimeZoneScope() {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_had;
    QByteArray m_old;
};

// A daily 02:30 run on the days the clocks change, the clock going on minute by minute: on the
// day the clocks skip from 02:00 to 03:00 it runs in the first minute after the gap; on the
// day they go back from 03:00 to 02:00 it runs once, not in both 02:30s.
TEST_F(SchedulerCycleTest, DaylightSavingNeitherLosesNorRepeatsADailyRun) {
    const TimeZoneScope berlin("Europe/Berlin");
    ASSERT_EQ(QDateTime(QDate(2026, 3, 29), QTime(1, 59)).addSecs(60).time(), QTime(3, 0));
    const ScheduleRecord night =
        test::enabledSchedule(QStringLiteral("Night"), QStringLiteral("Reboot"), QStringLiteral("1/1/2026"),
                              QStringLiteral("02:30:00"));
    ASSERT_FALSE(WriteScheduleFile(night, m_dir.path()).has_value());
    const struct {
        QDate day;
        const char *ranAt;
    } days[] = {{QDate(2026, 3, 29), "03:00:00"}, {QDate(2026, 10, 25), "02:30:00"}};
    for (const auto &day : days) {
        clock.set(QDateTime(day.day, QTime(1, 0)));
        model.setRows({scheduleRowFromFile(scheduleFilePath(m_dir.path(), night.Name), clock.now())});
        QStringList ranAt;
        for (int minute = 0; minute < 4 * 60; ++minute, clock.advance(60 * 1000)) {
            cycle->tmrScheduler_Timer();
            if (!cycle->lstSchedule().isEmpty())
                ranAt << clock.now().time().toString();
            runHandOver();
        }
        EXPECT_THAT(ranAt, ElementsAre(day.ranAt)) << day.day.toString(Qt::ISODate).toStdString();
    }
}

// The real timers, end to end: a row due in the current minute is performed about a
// second after the scan starts.
TEST(SchedulerCycleTimers, ARowDueNowIsPerformedByTheRunningTimers) {
    SystemClock clock;
    // Keep clear of a minute's end, so "now" is still the row's minute at the first tick.
    ASSERT_TRUE(QTest::qWaitFor([] { return QTime::currentTime().second() < 57; }, 5000));
    ScheduleListModel model;
    model.setRows({quickRow(QStringLiteral("Now"), QStringLiteral("Stand by"), nextRunTextFor(clock.now()))});
    QStringList performed;
    SchedulerCycle cycle(model, clock, QString(), [&](const QString &name, const QString &type) {
        performed << name + QStringLiteral(": ") + type;
    });
    QSignalSpy handedOver(&cycle.timSchedule(), &QTimer::timeout);
    cycle.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !performed.isEmpty(); }, 5000));
    EXPECT_THAT(performed, ElementsAre("Now: Stand by"));
    EXPECT_EQ(handedOver.count(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cycle.tmrProcessSchedule().isActive(); }, 2000));
    EXPECT_TRUE(cycle.lstSchedule().isEmpty());
    EXPECT_TRUE(cycle.tmrScheduler().isActive());
}

} // namespace
