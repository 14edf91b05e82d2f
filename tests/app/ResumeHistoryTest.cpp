// A wake from sleep, announced by logind (python3-dbusmock on a private bus), makes the
// run the computer slept through a "missed (asleep)" line of history.log at once.

#include "app/RunGuard.h"
#include "app/ScriptedTrayHost.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "power/LogindPowerBackend.h"
#include "schedule/SchedulerCycle.h"
#include "support/CoreDoubles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace vesperon::test {

namespace {

TEST(ResumeHistoryTest, AWakeAfterARunsMinuteRecordsItMissedAsleepAtOnce) {
    QTemporaryDir dir;
    QProcess daemon, logind;
    daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForStarted()) << "dbus-daemon is not installed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return daemon.canReadLine(); }, 10000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    {
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("resume-test"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
        logind.setProcessEnvironment(env);
        logind.start(QStringLiteral("/usr/bin/python3"), {"-m", "dbusmock", "--system", "-t", "logind"});
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")).value();
            },
            20000));

        LogindPowerBackend power(bus);
        SettableClock clock(QDateTime(QDate(2026, 6, 10), QTime(21, 59, 30)));
        ScheduleListModel model;
        QStringList performed;
        SchedulerCycle cycle(model, clock, dir.path(),
                             [&](const QString &name, const QString &) { performed << name; });
        ScriptedPrompt prompt;
        ScriptedTrayHost tray;
        ProgramValues values;
        LanguageEngine languages(dir.filePath(QStringLiteral("Localization.txt")), values);
        RunGuard guard({clock, prompt, tray, power, languages, values}, model, cycle,
                       dir.filePath(QStringLiteral("history.log")), [] { return 0; }, {});
        model.appendRow({"Nightly", "Shut Down", {}, "6/10/2026 22:00:00", "Yes", false});
        cycle.start();
        guard.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return cycle.tmrScheduler().interval() > 0; }, 5000));

        clock.set(QDateTime(QDate(2026, 6, 10), QTime(22, 30))); // slept through 22:00
        QDBusMessage wake = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
        wake.setArguments({QStringLiteral("org.freedesktop.login1.Manager"),
                           QStringLiteral("PrepareForSleep"), QStringLiteral("b"),
                           QVariantList{QVariant::fromValue(QDBusVariant(false))}});
        ASSERT_EQ(bus.call(wake).type(), QDBusMessage::ReplyMessage);
        // Well before the scan's own wake-up at the next minute of the real timer.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !guard.history().lines().isEmpty(); }, 5000));
        EXPECT_EQ(
            guard.history().lines(),
            QStringList{"2026-06-10T22:30:00\tmissed (asleep)\tShut Down\tNightly\t2026-06-10T22:00:00"});
        EXPECT_TRUE(performed.isEmpty());
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("resume-test"));
    logind.kill();
    logind.waitForFinished();
    daemon.kill();
    daemon.waitForFinished();
}

} // namespace

} // namespace vesperon::test
