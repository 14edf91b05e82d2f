// The warning before a run and the user's answers to it, with a set clock and the real cycle;
// runs that pass unperformed; the history file.

#include "schedule/RunWarner.h"
#include "schedule/RunHistory.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"

#include "support/Testing.h"

using namespace vesperon;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using test::at;

class RunWarnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(WriteScheduleFile(
            test::enabledSchedule(u"Nightly"_s, u"Shut Down"_s, u"6/1/2026"_s, u"22:00:00"_s), dir.path()));
        cycle.setPendingEventsHandler({});
        cycle.setMissedHandler([this](const ScheduleRow &row, SchedulerCycle::MissReason reason) {
            missed << row.name + (reason == SchedulerCycle::MissReason::Asleep ? " asleep" : " prevented");
        });
        QObject::connect(&warner, &RunWarner::warning, [this](const UpcomingRun &run) { warnings << run; });
        warner.setLeadSource([] { return 60; });
        loadData(model, dir.path(), clock.now());
        warner.start();
    }

    // The clock reaches moment and the cycle does what it does then, as its timers would.
    void reach(const QDateTime &moment) {
        clock.set(moment);
        cycle.tmrScheduler_Timer();
        while (cycle.tmrProcessSchedule().isActive() || cycle.timSchedule().isActive()) {
            cycle.tmrProcessSchedule_Timer();
            cycle.timSchedule_Timer();
        }
    }

    UpcomingRun warnedRun() {
        clock.set(at(21, 59));
        warner.check();
        EXPECT_EQ(warnings.size(), 1);
        return warnings.value(0);
    }

    QTemporaryDir dir;
    ScheduleListModel model;
    SettableClock clock{at(21, 58, 30)};
    QStringList performed, missed;
    SchedulerCycle cycle{model, clock, dir.path(), [this](const QString &name, const QString &type) {
                             performed << name + ": " + type;
                         }};
    RunWarner warner{model, clock, cycle};
    QList<UpcomingRun> warnings;
};

TEST_F(RunWarnerTest, TheWarningComesTheLeadTimeBeforeTheMinuteAndOnce) {
    EXPECT_EQ(warner.warningTimer().interval(), 30'000);
    warnedRun();
    warner.check();
    EXPECT_EQ(warnings, (QList<UpcomingRun>{{"Nightly", "Shut Down", "6/10/2026 22:00:00", at(22, 0)}}));
    EXPECT_EQ(warner.warningTimer().interval(), 60'000); // plans again when the run starts
}

TEST_F(RunWarnerTest, CancelSkipsThisRunOnlyAndIsNotToldAsMissed) {
    warner.skip(warnedRun());
    reach(at(22, 0));
    reach(at(22, 1));
    EXPECT_THAT(missed, IsEmpty());
    reach(at(22, 0).addDays(1));
    EXPECT_THAT(performed, ElementsAre("Nightly: Shut Down"));
}

TEST_F(RunWarnerTest, PostponePerformsTheSameActionTenMinutesLater) {
    EXPECT_EQ(warner.postpone(warnedRun()), at(22, 10));
    reach(at(22, 0));
    reach(at(22, 10));
    ASSERT_EQ(performed.size(), 1);
    EXPECT_TRUE(performed[0].endsWith(": Shut Down"));
}

TEST_F(RunWarnerTest, ARunPassingUnperformedIsToldOnceWithItsReason) {
    model.appendRow(test::quickRow("Slept", "Reboot", "6/10/2026 22:10:00"));
    reach(at(22, 15)); // the first scan after the computer slept through 22:10
    reach(at(22, 16));
    model.appendRow(test::quickRow("Held", "Reboot", "6/10/2026 22:20:00"));
    cycle.setPreventSchedules(true);
    reach(at(22, 20));
    reach(at(22, 21));
    cycle.setPreventSchedules(false);
    reach(at(22, 22));
    EXPECT_THAT(missed, ElementsAre("Nightly asleep", "Slept asleep", "Held prevented"));
    EXPECT_THAT(performed, IsEmpty());
}

// A line cut short keeps its own line; two rotations keep a megabyte and drop the oldest.
TEST(RunHistoryTest, AppendsWholeLinesAndRotatesOnceAtTheLimit) {
    QTemporaryDir dir;
    const RunHistory history(dir.filePath(u"history.log"_s));
    test::writeBytes(history.filePath(), "2026-06-10T21:00:00\tfired\tReboot\tCut\t");
    const HistoryEntry entry{at(22, 0), HistoryEntry::Outcome::MissedAsleep, "Shut Down", "Night\tly", "why"};
    ASSERT_TRUE(history.record(entry));
    EXPECT_EQ(history.lines(),
              (QStringList{"2026-06-10T21:00:00\tfired\tReboot\tCut\t",
                           "2026-06-10T22:00:00\tmissed (asleep)\tShut Down\tNight ly\twhy"}));

    const HistoryEntry longer{at(22, 1), HistoryEntry::Outcome::Refused, "Reboot", "Big", QString(900, 'x')};
    const int linesPerFile = int(RunHistory::MaxBytes / (historyLine(longer).size() + 1));
    for (int i = 0; i < 2 * linesPerFile + 2; ++i)
        ASSERT_TRUE(history.record(longer));
    EXPECT_EQ(history.entries().constFirst(), longer);
    EXPECT_GE(history.entries().size(), linesPerFile);
}

} // namespace
