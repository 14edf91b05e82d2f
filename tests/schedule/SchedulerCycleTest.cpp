// The scheduler cycle with a set clock and schedule files in a temporary folder: what it
// performs and when, the warning before a run and the user's answers to it, runs that pass
// unperformed, and the schedules an administrator deployed for every user.

#include "schedule/SchedulerCycle.h"
#include "schedule/RunWarner.h"
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

// Writes a schedule repeating daily since New Year into folder.
void writeDaily(const QString &folder, const char *name, const char *time, const char *type = "Reboot") {
    ASSERT_FALSE(WriteScheduleFile(test::enabledSchedule(name, type, "1/1/2026", time), folder));
}

class SchedulerCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        cycle.setPendingEventsHandler([this] {
            if (duringPendingEvents)
                std::exchange(duringPendingEvents, nullptr)();
        });
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

    // The clock reaches moment and the cycle does what it does then, as its timers would.
    void reach(const QDateTime &moment) {
        clock.set(moment);
        cycle.tmrScheduler_Timer();
        runHandOver();
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
    writeDaily(m_dir.path(), "Daily", "14:21:00");
    loadData(model, m_dir.path(), clock.now());
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
    reach(at(14, 21, 0));
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
    writeDaily(m_dir.path(), "Night", "02:30:00");
    const struct {
        QDate day;
        const char *ranAt;
    } days[] = {{QDate(2026, 3, 29), "03:00:00"}, {QDate(2026, 10, 25), "02:30:00"}};
    for (const auto &day : days) {
        clock.set(QDateTime(day.day, QTime(1, 0)));
        loadData(model, m_dir.path(), clock.now());
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

// Schedules an administrator deployed for every user: listed after the user's own, read and
// fired from their own folder, never deleted from the program, and hiding a user's schedule of
// the same name.
TEST_F(SchedulerCycleTest, ManagedSchedulesFollowTheUsersOwnFireFromTheirFolderAndHideTheSameName) {
    const QString own = m_dir.path();
    QTemporaryDir first, second;
    writeDaily(own, "Nightly", "09:00:00");
    writeDaily(own, "Mine", "16:00:00");
    writeDaily(first.path(), "Nightly", "14:21:00", "Shut Down");
    writeDaily(second.path(), "NIGHTLY", "14:21:00", "Hibernate"); // the first folder's wins
    // The second folder writes its dates day first, as its DateForm.txt says.
    test::writeBytes(second.filePath(u"DateForm.txt"_s), "d/M/yyyy\r\n");
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Lab"_s, u"Log Off"_s, u"20/6/2026"_s, u"14:25:00"_s), second.path()));

    ASSERT_TRUE(loadData(model, own, clock.now(), QLocale(), {first.path(), second.path()}));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.row(0).name, u"Mine"_s);
    EXPECT_TRUE(model.row(1).hidden);
    EXPECT_EQ(model.row(2).managedFolder, first.path());
    EXPECT_EQ(model.row(3).managedFolder, second.path());
    EXPECT_EQ(model.row(3).nextRunTime, u"6/20/2026 14:25:00"_s);
    // Delete leaves the administrator's file alone (and the user's file of the same name too).
    EXPECT_FALSE(deleteScheduleFile(model.row(2), own));
    EXPECT_TRUE(QFile::exists(scheduleFilePath(first.path(), u"Nightly"_s)));
    EXPECT_TRUE(QFile::exists(scheduleFilePath(own, u"Nightly"_s)));

    reach(at(14, 21, 0));
    EXPECT_THAT(performed, ElementsAre("Nightly: Shut Down"));
    EXPECT_EQ(model.row(2).nextRunTime, u"6/11/2026 14:21:00"_s); // from its own folder's file
    EXPECT_EQ(model.row(1).nextRunTime, QString());

    // The user's own folder named as an administrator's too is still read once, as the user's.
    ASSERT_TRUE(loadData(model, own, clock.now(), QLocale(), {own + u"/."_s}));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_FALSE(model.row(0).managed() || model.row(1).hidden);
}

// The warning before a nightly 22:00 run, a minute ahead.
class RunWarnerTest : public SchedulerCycleTest {
protected:
    void SetUp() override {
        SchedulerCycleTest::SetUp();
        clock.set(at(21, 58, 30));
        writeDaily(m_dir.path(), "Nightly", "22:00:00");
        loadData(model, m_dir.path(), clock.now());
        cycle.setMissedHandler([this](const ScheduleRow &row, SchedulerCycle::MissReason reason) {
            missed << row.name + (reason == SchedulerCycle::MissReason::Asleep ? " asleep" : " prevented");
        });
        QObject::connect(&warner, &RunWarner::warning, [this](const UpcomingRun &run) { warnings << run; });
        warner.setLeadSource([] { return 60; });
        warner.start();
    }

    UpcomingRun warnedRun() {
        clock.set(at(21, 59));
        warner.check();
        EXPECT_EQ(warnings.size(), 1);
        return warnings.value(0);
    }

    RunWarner warner{model, clock, cycle};
    QStringList missed;
    QList<UpcomingRun> warnings;
};

TEST_F(RunWarnerTest, TheWarningComesOnceTheLeadTimeAheadAndPostponeMovesTheRunTenMinutes) {
    EXPECT_EQ(warner.warningTimer().interval(), 30'000);
    const UpcomingRun run = warnedRun();
    warner.check();
    EXPECT_EQ(warnings, (QList<UpcomingRun>{{"Nightly", "Reboot", "6/10/2026 22:00:00", at(22, 0)}}));
    EXPECT_EQ(warner.warningTimer().interval(), 60'000); // plans again when the run starts
    EXPECT_EQ(warner.postpone(run), at(22, 10));
    reach(at(22, 0));
    reach(at(22, 10));
    ASSERT_EQ(performed.size(), 1);
    EXPECT_TRUE(performed[0].endsWith(": Reboot"));
}

TEST_F(RunWarnerTest, CancelSkipsThisRunOnlyAndIsNotToldAsMissed) {
    warner.skip(warnedRun());
    reach(at(22, 0));
    reach(at(22, 1));
    EXPECT_THAT(missed, IsEmpty());
    reach(at(22, 0).addDays(1));
    EXPECT_THAT(performed, ElementsAre("Nightly: Reboot"));
}

TEST_F(RunWarnerTest, ARunPassingUnperformedIsToldOnceWithItsReason) {
    model.appendRow(quickRow("Slept", "Reboot", "6/10/2026 22:10:00"));
    reach(at(22, 15)); // the first scan after the computer slept through 22:10
    reach(at(22, 16));
    model.appendRow(quickRow("Held", "Reboot", "6/10/2026 22:20:00"));
    cycle.setPreventSchedules(true);
    reach(at(22, 20));
    reach(at(22, 21));
    cycle.setPreventSchedules(false);
    reach(at(22, 22));
    EXPECT_THAT(missed, ElementsAre("Nightly asleep", "Slept asleep", "Held prevented"));
    EXPECT_THAT(performed, IsEmpty());
}

} // namespace
