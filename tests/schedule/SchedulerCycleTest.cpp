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

namespace {

using test::at;
using test::quickRow;

class SchedulerCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        cycle.setPendingEventsHandler([this] {
            if (duringPendingEvents)
                std::exchange(duringPendingEvents, nullptr)();
        });
    }

    // A schedule file repeating daily from startDate at startTime, loaded as a row.
    ScheduleRow dailyFileRow(const char *name, const char *startDate, const char *startTime) {
        EXPECT_FALSE(
            WriteScheduleFile(test::enabledSchedule(name, "Reboot", startDate, startTime), m_dir.path()));
        return scheduleRowFromFile(scheduleFilePath(m_dir.path(), name), clock.now());
    }

    // Lets the hand-over timers fire as they would, one at a time, until both are stopped.
    void runHandOver() {
        for (int turns = 0; turns < 20; ++turns) {
            if (cycle.tmrProcessSchedule().isActive())
                cycle.tmrProcessSchedule_Timer();
            else if (cycle.timSchedule().isActive())
                cycle.timSchedule_Timer();
            else
                return;
        }
        ADD_FAILURE() << "the hand-over never came to rest";
    }

    QTemporaryDir m_dir;
    ScheduleListModel model;
    SettableClock clock{at(14, 19, 30)};
    QStringList performed;
    bool failAction = false;
    std::function<void()> duringPendingEvents; // runs once, at the next pending-events point
    SchedulerCycle cycle{model, clock, m_dir.path(), [this](const QString &name, const QString &type) {
                             performed << name + ": " + type;
                             if (failAction)
                                 throw std::runtime_error("the system refused");
                         }};
};

// Rows due in the same minute are all queued, once, but only the first is performed (the
// computer is gone after it); a row is due in its own minute only.
TEST_F(SchedulerCycleTest, OnlyTheFirstRowDueInAMinuteIsPerformedAndOnlyOnce) {
    model.setRows({quickRow("First", "Stand by", "6/10/2026 14:20:00"),
                   quickRow("Later", "Reboot", "6/10/2026 14:25:00"),
                   quickRow("Second", "Shut Down", "6/10/2026 14:20:10")});
    for (const QDateTime &moment : {at(14, 19, 59), at(14, 20, 0), at(14, 20, 59), at(14, 21, 0)}) {
        clock.set(moment);
        cycle.tmrScheduler_Timer();
    }
    EXPECT_THAT(cycle.lstSchedule(), ElementsAre("First", "Second"));
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("First: Stand by"));
    EXPECT_EQ(model.row(1).nextRunTime, "6/10/2026 14:25:00");
}

// Between minutes the scan sleeps until the start of the next one; it scans at once when the
// clock is set or the computer resumes and when the list changes (not by the scan's own edits).
TEST_F(SchedulerCycleTest, TheScanSleepsUntilTheNextMinuteUnlessSomethingChanged) {
    model.setRows({dailyFileRow("Daily", "6/1/2026", "14:21:00")});
    const auto scansAtOnce = [this] {
        return cycle.tmrScheduler().isActive() && cycle.tmrScheduler().interval() == 0;
    };
    clock.set(at(14, 20, 30).addMSecs(250));
    cycle.start();
    ASSERT_TRUE(scansAtOnce());
    cycle.tmrScheduler_Timer();
    ASSERT_EQ(cycle.tmrScheduler().interval(), 29'750);
    clock.advance(29'750);
    cycle.tmrScheduler_Timer();
    EXPECT_THAT(cycle.lstSchedule(), ElementsAre("Daily"));
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:21:00"); // the file's next run
    EXPECT_FALSE(scansAtOnce());
    cycle.clockChanged();
    EXPECT_TRUE(scansAtOnce());
    cycle.tmrScheduler_Timer();
    model.appendRow(quickRow("Added", "Reboot", QString()));
    EXPECT_TRUE(scansAtOnce());
}

// The row is looked up again after events were handled: a row deleted meanwhile is dropped
// and the names left over get their turn.
TEST_F(SchedulerCycleTest, ARowDeletedWhileEventsAreHandledIsNotPerformed) {
    model.setRows({quickRow("Gone", "Shut Down", "6/10/2026 14:20:00"),
                   quickRow("Stays", "Hibernate", "6/10/2026 14:20:00")});
    clock.set(at(14, 20, 5));
    cycle.tmrScheduler_Timer();
    duringPendingEvents = [this] { model.setRows({model.row(1)}); };
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Stays: Hibernate"));
}

// A next run that cannot be read is cleared and the rows after it are scanned as usual; an
// action that fails ends its hand-over, and the pipeline runs again.
TEST_F(SchedulerCycleTest, AFailureInsideATickEndsOnlyThatTick) {
    clock.set(at(14, 20, 0));
    model.setRows({quickRow("Bad", "Reboot", "tomorrow"), quickRow("B", "Reboot", "6/10/2026 14:20:00"),
                   quickRow("D", "Stand by", "6/10/2026 14:21:00")});
    cycle.tmrScheduler_Timer();
    EXPECT_EQ(model.row(0).nextRunTime, QString());
    failAction = true;
    runHandOver();
    failAction = false;
    clock.set(at(14, 21, 0));
    cycle.tmrScheduler_Timer();
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
    const struct {
        QDate day;
        const char *ranAt;
    } days[] = {{QDate(2026, 3, 29), "03:00:00"}, {QDate(2026, 10, 25), "02:30:00"}};
    for (const auto &day : days) {
        clock.set(QDateTime(day.day, QTime(1, 0)));
        model.setRows({dailyFileRow("Night", "1/1/2026", "02:30:00")});
        QStringList ranAt;
        for (int minute = 0; minute < 4 * 60; ++minute, clock.advance(60 * 1000)) {
            cycle.tmrScheduler_Timer();
            if (!cycle.lstSchedule().isEmpty())
                ranAt << clock.now().time().toString();
            runHandOver();
        }
        EXPECT_THAT(ranAt, ElementsAre(day.ranAt)) << day.day.toString(Qt::ISODate).toStdString();
    }
}

} // namespace
