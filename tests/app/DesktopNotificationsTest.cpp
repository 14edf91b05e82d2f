// Desktop notifications against python3-dbusmock's notification daemon on a private session bus:
// a notice counts as shown only when the desktop's service took it.

#include "app/DesktopNotifications.h"
#include "support/LogindBus.h"

#include <QFile>

namespace vesperon::test {

namespace {

TEST(DesktopNotifications, CountAsShownOnlyWhenTheDesktopsServiceTookThem) {
    QTemporaryDir dir;
    // No session bus running: nothing is sent (nor a bus daemon started for it).
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    EXPECT_FALSE(sendDesktopNotification(u"Vesperon"_s, u"no bus"_s, NotificationUrgency::Normal));
    LogindBus session; // its bus daemon only: the session bus of this test process
    ASSERT_TRUE(session.startBus());
    qputenv("DBUS_SESSION_BUS_ADDRESS", session.address().toUtf8());
    EXPECT_FALSE(sendDesktopNotification(u"Vesperon"_s, u"nobody listens"_s, NotificationUrgency::Normal));

    QProcess daemon;
    daemon.start(u"/usr/bin/python3"_s,
                 {"-m", "dbusmock", "-t", "notification_daemon", "--logfile", dir.filePath(u"notify.log"_s)});
    // Taken, with the program's name, as soon as the daemon is up.
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return sendDesktopNotification(u"Vesperon"_s, u"refused"_s, NotificationUrgency::Critical); },
        20000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QFile log(dir.filePath(u"notify.log"_s));
            return log.open(QIODevice::ReadOnly) && log.readAll().contains("Notify \"Vesperon\"");
        },
        10000));
    daemon.kill();
    daemon.waitForFinished();
    QDBusConnection::disconnectFromBus(u"qt_default_session_bus"_s);
}

} // namespace

} // namespace vesperon::test
