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

ScheduleRow quickRow(const char *name, const char *type, const QString &nextRun) {
    return ScheduleRow{
        QString::fromUtf8(name), QString::fromUtf8(type), QString(), nextRun, QStringLiteral("Yes"), false};
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
    ScheduleRow dailyFileRow(const char *name, const char *type, const char *startTime) {
        const ScheduleRecord record =
            test::enabledSchedule(QString::fromUtf8(name), QString::fromUtf8(type),
                                  QStringLiteral("6/1/2026"), QString::fromUtf8(startTime));
        EXPECT_FALSE(WriteScheduleFile(record, m_dir.path()).has_value());
        return scheduleRowFromFile(scheduleFilePath(m_dir.path(), record.Name), clock.now());
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
// but only the first is performed (the computer is gone after it); a row reloaded away in the
// meantime performs nothing.
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

    clock.set(at(14, 25, 5));
    cycle->tmrScheduler_Timer();
    model.setRows({quickRow("Other", "Reboot", QString())});
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("First: Stand by"));
    EXPECT_TRUE(idle());
}

// Between minutes the scan sleeps until the start of the next one; it scans at once when the
// clock is set or the computer resumes, when the list changes (not by the scan's own edits),
// and when "prevent" is cleared. A jump nobody reported is caught at the next wake.
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
        {"clock set forward", at(22, 0, 40), clockChanged, "Evening"},
        {"resume after a night", at(7, 30, 12, 11), clockChanged, "Morning"},
        {"list reloaded", at(7, 31, 0, 11),
         [this] { model.setRows({quickRow("Saved", "Reboot", "6/11/2026 07:31:00")}); }, "Saved"},
        {"row added", at(7, 31, 30, 11),
         [this] { model.appendRow(quickRow("Quick", "Log Off", "6/11/2026 07:31:00")); }, "Quick"},
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
    cycle->setPreventSchedules(true);
    model.setRows({quickRow("Held", "Reboot", "6/11/2026 07:31:00")});
    cycle->tmrScheduler_Timer();
    ASSERT_FALSE(scanArmedAtOnce());
    cycle->setPreventSchedules(false);
    ASSERT_TRUE(scanArmedAtOnce());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Held"));
    runHandOver();

    model.setRows({quickRow("Evening", "Shut Down", "6/12/2026 22:00:00")});
    cycle->tmrScheduler_Timer();
    clock.set(QDateTime(QDate(2026, 6, 12), QTime(22, 0, 5)));
    sleepThroughArmedScan();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("Evening"));
}

TEST_F(SchedulerCycleTest, PreventingSchedulesLetsADueMinutePassUnperformed) {
    model.setRows(
        {dailyFileRow("Daily", "Reboot", "14:20:00"), quickRow("Quick", "Log Off", "6/10/2026 14:20:00")});
    cycle->setPreventSchedules(true);
    for (const QDateTime &moment : {at(14, 20, 0), at(14, 20, 30), at(14, 21, 0)}) {
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
    // A row that vanishes while events are handled ends the scan; the next tick starts over.
    model.setRows({quickRow("A", "Reboot", QString()), quickRow("B", "Reboot", "6/10/2026 14:20:00")});
    clock.set(at(14, 20, 0));
    duringPendingEvents = [this] {
        duringPendingEvents = [this] { model.setRows({model.row(1)}); }; // before the second row
    };
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), IsEmpty());
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("B"));

    // A next run that cannot be read is cleared; the rows after it are scanned as usual.
    model.setRows({quickRow("Bad", "Reboot", "tomorrow"), quickRow("C", "Log Off", "6/10/2026 14:20:00")});
    cycle->tmrScheduler_Timer();
    EXPECT_THAT(cycle->lstSchedule(), ElementsAre("B", "C"));
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

// Once a daily row has fired, its file gives it the next day's run; a row whose file is gone
// has none.
TEST_F(SchedulerCycleTest, ADailyScheduleFiresAgainTheNextDayWithoutAReload) {
    model.setRows(
        {dailyFileRow("Evening", "Shut Down", "14:20:00"), dailyFileRow("Once", "Reboot", "14:20:00")});
    ASSERT_TRUE(QFile::remove(scheduleFilePath(m_dir.path(), QStringLiteral("Once"))));
    clock.set(at(14, 20, 10));
    cycle->tmrScheduler_Timer();
    EXPECT_EQ(model.row(0).nextRunTime, "6/11/2026 14:20:00");
    EXPECT_EQ(model.row(1).nextRunTime, QString());
    runHandOver();
    clock.set(at(14, 20, 1, 11));
    cycle->tmrScheduler_Timer();
    runHandOver();
    EXPECT_THAT(performed, ElementsAre("Evening: Shut Down", "Evening: Shut Down"));
    EXPECT_EQ(model.row(0).nextRunTime, "6/12/2026 14:20:00");
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
    model.setRows({quickRow("Now", "Stand by", nextRunTextFor(clock.now()))});
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
