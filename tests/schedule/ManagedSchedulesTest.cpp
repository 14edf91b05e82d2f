// Schedules an administrator deployed for every user: listed after the user's own, read and
// fired from their own folder, never deleted from the program, and hiding a user's schedule of
// the same name.
#include "core/AppFolder.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleList.h"
#include "schedule/SchedulerCycle.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

using namespace vesperon;
using test::at;

namespace {

void writeDaily(const QTemporaryDir &folder, const char *name, const char *type, const char *time) {
    ASSERT_FALSE(WriteScheduleFile(test::enabledSchedule(name, type, "6/1/2026", time), folder.path()));
}

TEST(ManagedSchedules, FollowTheUsersOwnFireFromTheirFolderAndHideTheSameName) {
    QTemporaryDir own, first, second;
    writeDaily(own, "Nightly", "Reboot", "09:00:00");
    writeDaily(own, "Mine", "Stand by", "16:00:00");
    writeDaily(first, "Nightly", "Shut Down", "14:21:00");
    writeDaily(second, "NIGHTLY", "Hibernate", "14:21:00"); // the first folder's wins
    // The second folder writes its dates day first, as its DateForm.txt says.
    test::writeBytes(second.filePath(u"DateForm.txt"_s), "d/M/yyyy\r\n");
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Lab"_s, u"Log Off"_s, u"20/6/2026"_s, u"14:25:00"_s), second.path()));

    ScheduleListModel model;
    SettableClock clock(at(14, 19, 30));
    ASSERT_TRUE(loadData(model, own.path(), clock.now(), QLocale(), {first.path(), second.path()}));
    ASSERT_EQ(model.rowCount(), 4);
    const auto enabledText = [&model](int row) {
        return model.index(row, ScheduleListModel::EnabledColumn).data().toString();
    };
    EXPECT_EQ(model.row(0).name, u"Mine"_s);
    EXPECT_TRUE(model.row(1).hidden);
    EXPECT_EQ(model.row(1).nextRunTime, QString());
    EXPECT_EQ(enabledText(1), u"(hidden by a managed schedule)"_s);
    EXPECT_EQ(model.row(2).managedFolder, first.path());
    EXPECT_EQ(enabledText(2), u"Yes (managed)"_s);
    EXPECT_EQ(model.row(3).managedFolder, second.path());
    EXPECT_EQ(model.row(3).nextRunTime, u"6/20/2026 14:25:00"_s);

    // Delete leaves the administrator's file alone (and the user's file of the same name too).
    EXPECT_FALSE(deleteScheduleFile(model.row(2), own.path()));
    EXPECT_TRUE(QFile::exists(scheduleFilePath(first.path(), u"Nightly"_s)));
    EXPECT_TRUE(QFile::exists(scheduleFilePath(own.path(), u"Nightly"_s)));

    QStringList performed;
    SchedulerCycle cycle(model, clock, own.path(), [&performed](const QString &name, const QString &type) {
        performed << name + ": " + type;
    });
    clock.set(at(14, 21, 0));
    cycle.tmrScheduler_Timer();
    for (int turns = 0; turns < 4; ++turns) {
        cycle.tmrProcessSchedule_Timer();
        cycle.timSchedule_Timer();
    }
    EXPECT_EQ(performed, QStringList{u"Nightly: Shut Down"_s});
    EXPECT_EQ(model.row(2).nextRunTime, u"6/11/2026 14:21:00"_s); // from its own folder's file
    EXPECT_EQ(model.row(1).nextRunTime, QString());

    // The user's own folder named as an administrator's too is still read once, as the user's.
    ASSERT_TRUE(loadData(model, own.path(), clock.now(), QLocale(), {own.path() + u"/."_s}));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_FALSE(model.row(0).managed() || model.row(1).hidden);
}

TEST(ManagedSchedules, ComeFromEveryAbsoluteFolderOfTheConfigurationPath) {
#ifndef Q_OS_WIN
    EXPECT_EQ(managedScheduleFolders(QString()), QStringList{u"/etc/xdg/Quillmark/Vesperon/data"_s});
    EXPECT_EQ(managedScheduleFolders(u"/opt/site/::relative:/etc/xdg:/opt/site"_s),
              (QStringList{u"/opt/site/Quillmark/Vesperon/data"_s, u"/etc/xdg/Quillmark/Vesperon/data"_s}));
#endif
}

} // namespace
