#include "schedule/SchedulerCycle.h"
#include "schedule/DueTime.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

#include <ctime>
#include <stdexcept>

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using test::at;
using test::quickRow;

class SchedulerCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        cycle = std::make_unique<SchedulerCycle>(model, clock, m_dir.path(),
                                                 [this](const QString &name, const QString &type) {
                                                     performed << name + ": " + type;
                                                     if (failAction)
                                                         throw std::runtime_error("the system refused");
                                                 });
        cycle->setPendingEventsHandler([this] {
            if (duringPendingEvents)
                std::exchange(duringPendingEvents, nullptr)();
        });
    }

    // A daily schedule file starting 1 June at startTime, loaded as a row.
    ScheduleRow dailyFileRow(const char *name, const char *type, const char *startTime) {
        EXPECT_FALSE(
            WriteScheduleFile(test::enabledSchedule(name, type, "6/1/2026", startTime), m_dir.path()));
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

// A row is queued once in its minute, never at the next; rows due together are all queued
// but only the first is performed (the computer is gone after it).
TEST_F(SchedulerCycleTest, ARowIsQueuedOnceInItsMinuteAndOnlyTheFirstDueIsPerformed) {
    model.setRows({quickRow("First", "Stand by", "6/10/2026 14:20:00"),
                   quickRow("Later", "Reboot", "6/10/2026 14:25:00"),
                   quickRow("Second", "Shut Down", "6/10/2026 14:20:10")});
    cycle->tmrScheduler_Timer(); // 14:19:30, not yet
    EXPECT_TRUE(idle());
    for (const QDateTime &moment : {at(14, 20, 0), at(14, 20, 59)}) {
        clock.set(moment);
        cycle->tmrScheduler_Timer();
        EXPECT_THAT(cycle->lstSchedule(), ElementsAre("First", "Second"));
    }
    EXPECT_EQ(model.row(0).nextRunTime, QString());
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("First: Stand by"));
    EXPECT_TRUE(idle());
    clock.set(at(14, 21, 0));
    cycle->tmrScheduler_Timer();
    EXPECT_TRUE(idle());
    EXPECT_EQ(model.row(1).nextRunTime, "6/10/2026 14:25:00");
}

// Between minutes the scan sleeps until the start of the next one; it scans at once when the
// clock is set or the computer resumes and when the list changes (not by the scan's own edits).
TEST_F(SchedulerCycleTest, TheScanWakesAtEachMinuteAndAtOnceWhenSomethingChanged) {
    model.setRows({dailyFileRow("Daily", "Reboot", "14:21:00")});
    clock.set(at(14, 19, 30).addMSecs(250));
    cycle->start();
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_EQ(cycle->tmrScheduler().interval(), 29'750);
    sleepThroughArmedScan(); // 14:20:00.000
    EXPECT_EQ(cycle->tmrScheduler().interval(), SchedulerCycle::SchedulerMaxSleepMs);
    sleepThroughArmedScan(); // 14:21:00.000
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Daily"));
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:21:00");
    EXPECT_FALSE(scanArmedAtOnce());
    runHandOver();

    model.setRows({quickRow("Back", "Log Off", "6/10/2026 14:10:00"),
                   quickRow("Evening", "Shut Down", "6/10/2026 22:00:00"),
                   quickRow("Morning", "Reboot", "6/11/2026 07:30:00")});
    cycle->tmrScheduler_Timer(); // 14:21: "Back" is missed, and as a quick row keeps its moment
    const auto clockChanged = [this] { cycle->clockChanged(); };
    const struct {
        const char *what;
        QDateTime now;
        std::function<void()> change;
        const char *queued;
    } wakes[] = {
        {"clock set back", at(14, 10, 20), clockChanged, "Back"},
        {"resume after a night", at(7, 30, 12, 11), clockChanged, "Morning"},
        {"list reloaded", at(7, 31, 0, 11),
         [this] { model.setRows({quickRow("Saved", "Reboot", "6/11/2026 07:31:00")}); }, "Saved"},
    };
    for (const auto &wake : wakes) {
        SCOPED_TRACE(wake.what);
        clock.set(wake.now); // while the scan sleeps
        ASSERT_FALSE(scanArmedAtOnce());
        wake.change();
        ASSERT_TRUE(scanArmedAtOnce());
        cycle->tmrScheduler_Timer();
        EXPECT_THAT(cycle->lstSchedule(), ElementsAre(wake.queued));
        runHandOver();
    }
}

// The row is looked up again after events were handled: a row deleted meanwhile is dropped
// and the names left over get their turn.
TEST_F(SchedulerCycleTest, TheRowIsLookedUpAfterPendingEventsAndNamesLeftOverGetTheirTurn) {
    model.setRows({quickRow("Gone", "Shut Down", "6/10/2026 14:20:00"),
                   quickRow("Stays", "Hibernate", "6/10/2026 14:20:00")});
    clock.set(at(14, 20, 5));
    cycle->tmrScheduler_Timer();
    cycle->tmrProcessSchedule_Timer();
    EXPECT_TRUE(cycle->timSchedule().isActive());
    duringPendingEvents = [this] { model.setRows({model.row(1)}); };
    cycle->timSchedule_Timer();
    EXPECT_THAT(performed, IsEmpty());
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Stays"));
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Stays: Hibernate"));
    EXPECT_TRUE(idle());
}

TEST_F(SchedulerCycleTest, AFailureInsideATickEndsOnlyThatTick) {
    // A next run that cannot be read is cleared; the rows after it are scanned as usual.
    clock.set(at(14, 20, 0));
    model.setRows({quickRow("Bad", "Reboot", "tomorrow"), quickRow("B", "Reboot", "6/10/2026 14:20:00")});
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("B"));
    EXPECT_EQ(model.row(0).nextRunTime, QString());

    // An action that fails ends its hand-over; the pipeline comes to rest and runs again.
    model.setRows({quickRow("B", "Reboot", QString()), quickRow("D", "Stand by", "6/10/2026 14:21:00")});
    failAction = true;
    runHandOver();
    EXPECT_TRUE(idle());
    failAction = false;
    clock.set(at(14, 21, 0));
    cycle->tmrScheduler_Timer();
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("B: Reboot", "D: Stand by"));
}

// Puts the process in a time zone for one test (no test here runs with TZ set).
struct TimeZoneScope {
    explicit TimeZoneScope(const char *zone) { qputenv("TZ", zone), tzset(); }
    ~TimeZoneScope() { qunsetenv("TZ"), tzset(); }
};

// A daily 02:30 run on the days the clocks change, the clock going on minute by minute: on the
// day the clocks skip from 02:00 to 03:00 it runs in the first minute after the gap; on the
// day they go back from 03:00 to 02:00 it runs once, not in both 02:30s.
TEST_F(SchedulerCycleTest, DaylightSavingNeitherLosesNorRepeatsADailyRun) {
    const TimeZoneScope berlin("Europe/Berlin");
    ASSERT_EQ(QDateTime(QDate(2026, 3, 29), QTime(1, 59)).addSecs(60).time(), QTime(3, 0));
    ASSERT_FALSE(
        WriteScheduleFile(test::enabledSchedule("Night", "Reboot", "1/1/2026", "02:30:00"), m_dir.path()));
    const struct {
        QDate day;
        const char *ranAt;
    } days[] = {{QDate(2026, 3, 29), "03:00:00"}, {QDate(2026, 10, 25), "02:30:00"}};
    for (const auto &day : days) {
        clock.set(QDateTime(day.day, QTime(1, 0)));
        model.setRows({scheduleRowFromFile(scheduleFilePath(m_dir.path(), "Night"), clock.now())});
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
    model.setRows({quickRow("Now", "Stand by", nextRunTextFor(clock.now()))});
    QStringList performed;
    SchedulerCycle cycle(model, clock, QString(),
                         [&](const QString &name, const QString &type) { performed << name + ": " + type; });
    QSignalSpy handedOver(&cycle.timSchedule(), &QTimer::timeout);
    cycle.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !performed.isEmpty(); }, 5000));
    EXPECT_THAT(performed, ElementsAre("Now: Stand by"));
    EXPECT_EQ(handedOver.count(), 1);
}

} // namespace
