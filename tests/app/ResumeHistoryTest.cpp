// A wake from sleep, announced by logind (python3-dbusmock on a private bus), makes the
// run the computer slept through a "missed (asleep)" line of history.log at once.

#include "app/RunGuard.h"
#include "app/ScriptedTrayHost.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "power/LogindPowerBackend.h"
#include "schedule/SchedulerCycle.h"
#include "support/CoreDoubles.h"
#include "support/LogindBus.h"
#include "support/ScheduleRecords.h"

#include <QDBusVariant>

namespace vesperon::test {

namespace {

TEST(ResumeHistoryTest, AWakeAfterARunsMinuteRecordsItMissedAsleepAtOnce) {
    QTemporaryDir dir;
    LogindBus logind;
    ASSERT_TRUE(logind.startBus());
    ASSERT_TRUE(logind.startLogind());
    LogindPowerBackend power(logind.bus());
    SettableClock clock(at(21, 59, 30));
    ScheduleListModel model;
    QStringList performed;
    SchedulerCycle cycle(model, clock, dir.path(),
                         [&](const QString &name, const QString &) { performed << name; });
    ScriptedPrompt prompt;
    ScriptedTrayHost tray;
    ProgramValues values;
    LanguageEngine languages(dir.filePath(u"Localization.txt"_s), values);
    RunGuard guard({clock, prompt, tray, power, languages, values}, model, cycle,
                   dir.filePath(u"history.log"_s), [] { return 0; }, {});
    model.appendRow(quickRow("Nightly", "Shut Down", "6/10/2026 22:00:00"));
    cycle.start();
    guard.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cycle.tmrScheduler().interval() > 0; }, 5000));

    clock.set(at(22, 30)); // slept through 22:00
    ASSERT_EQ(logind
                  .mockCall(u"EmitSignal"_s, {u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s,
                                              u"b"_s, QVariantList{QVariant::fromValue(QDBusVariant(false))}})
                  .type(),
              QDBusMessage::ReplyMessage);
    // Well before the scan's own wake-up at the next minute of the real timer.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !guard.history().lines().isEmpty(); }, 5000));
    EXPECT_EQ(guard.history().lines(),
              QStringList{"2026-06-10T22:30:00\tmissed (asleep)\tShut Down\tNightly\t2026-06-10T22:00:00"});
    EXPECT_TRUE(performed.isEmpty());
}

} // namespace

} // namespace vesperon::test
