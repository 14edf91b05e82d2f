#include "schedule/ScheduleList.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

// One row per schedule file, read as hand-edited files come; a reload drops the quick rows and
// skips what is not a schedule file; a broken file is listed without a next run. A quick row
// never takes the file of a schedule with its name along when it is deleted.
TEST(ScheduleListTest, LoadsOneRowPerScheduleFileAndDeletesOnlyARowsOwnFile) {
    QTemporaryDir dir;
    const QString data = dir.path();
    const auto file = [&](const char *name, const QByteArray &bytes) {
        test::writeBytes(QDir(data).filePath(QLatin1String(name)), bytes);
    };
    ASSERT_FALSE(WriteScheduleFile(
        test::enabledSchedule(u"Nightly"_s, u"Reboot"_s, u"6/1/2026"_s, u"22:00:00"_s), data));
    file("Hand.sch", "<DATA>\r\nLastRunTime=yesterday\r\nItemType=Log Off\r\nEnabled=-1\r\n</DATA>\r\n"
                     "<SCHEDULER>\r\nStartDate=6/11/2026\r\nStartTime=08:00:00\r\n</SCHEDULER>\r\n");
    file("Junk.sch", "<DATA>\r\nEnabled=1\r\n</DATA>\r\n<SCHEDULER>\r\nStartDate=99/99/99\r\n"
                     "StartTime=xx\r\nRepeat=-1\r\nSAccurancy=1\r\nPeriod=,,,\r\n</SCHEDULER>\r\n");
    file("Binary.sch", QByteArray("\x00\xff\xfe<DATA>\x00\r\n", 12));
    file("notes.txt", "x");
    QDir(data).mkdir(u"folder.sch"_s);
    ScheduleListModel model;
    model.appendRow(test::quickRow(u"Quick"_s, u"Reboot"_s, QString()));
    EXPECT_TRUE(loadData(model, data, test::Wednesday)); // odd contents are still read

    const ScheduleRow rows[] = {
        {u"Binary"_s, QString(), QString(), QString(), u"No"_s, true},
        {u"Hand"_s, u"Log Off"_s, u"yesterday"_s, u"6/11/2026 08:00:00"_s, u"No"_s, true},
        {u"Junk"_s, QString(), QString(), QString(), u"Yes"_s, true},
        {u"Nightly"_s, u"Reboot"_s, QString(), u"6/10/2026 22:00:00"_s, u"Yes"_s, true},
    };
    ASSERT_EQ(model.rowCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(model.row(i), rows[i]) << model.row(i).name.toStdString();
    EXPECT_EQ(model.FindScheduleRow(u"Nightly"_s), 4);
    EXPECT_EQ(model.FindScheduleRow(u"nightly"_s), 0);

    model.appendRow(test::quickRow(u"Nightly"_s, u"Reboot"_s, QString()));
    EXPECT_FALSE(deleteScheduleFile(model.row(4), data));
    EXPECT_TRUE(FileExists(scheduleFilePath(data, u"Nightly"_s)));
}

} // namespace
