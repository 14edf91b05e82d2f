#include "schedule/ScheduleList.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace vesperon {
void PrintTo(const ScheduleRow &row, std::ostream *out) {
    *out << '{'
         << QStringList{row.name, row.type, row.lastRunTime, row.nextRunTime, row.enabled}
                .join(u" | "_s)
                .toStdString()
         << (row.hasFile ? " | file}" : " | no file}");
}
} // namespace vesperon

namespace {

using test::Wednesday;

class ScheduleListTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString data() const { return dir.path(); }
    void file(const QString &name, const QByteArray &bytes) {
        writeBytes(QDir(data()).filePath(name), bytes);
    }

    ScheduleRecord daily(const QString &name) {
        return test::enabledSchedule(name, u"Reboot"_s, u"6/1/2026"_s, u"22:00:00"_s);
    }
};

// One row per schedule file, read as hand-edited files come; a reload drops the quick rows and
// skips what is not a schedule file; a broken file is listed without a next run.
TEST_F(ScheduleListTest, LoadsOneRowPerScheduleFileWithItsColumns) {
    ASSERT_FALSE(WriteScheduleFile(daily(u"Nightly"_s), data()));
    file(u"Hand.sch"_s, "<DATA>\r\nLastRunTime=yesterday\r\nItemType=Log Off\r\nEnabled=-1\r\n</DATA>\r\n"
                        "<SCHEDULER>\r\nStartDate=6/11/2026\r\nStartTime=08:00:00\r\n</SCHEDULER>\r\n");
    file(u"Junk.sch"_s, "<DATA>\r\nEnabled=1\r\n</DATA>\r\n<SCHEDULER>\r\nStartDate=99/99/99\r\n"
                        "StartTime=xx\r\nRepeat=-1\r\nSAccurancy=1\r\nPeriod=,,,\r\n</SCHEDULER>\r\n");
    file(u"Binary.sch"_s, QByteArray("\x00\xff\xfe<DATA>\x00\r\n", 12));
    file(u"notes.txt"_s, "x");
    QDir(data()).mkdir(u"folder.sch"_s);
    ScheduleListModel model;
    model.appendRow({u"Quick"_s, u"Reboot"_s, QString(), QString(), u"Yes"_s, false});
    EXPECT_TRUE(loadData(model, data(), Wednesday)); // odd contents are still read

    const ScheduleRow rows[] = {
        {u"Binary"_s, QString(), QString(), QString(), u"No"_s, true},
        {u"Hand"_s, u"Log Off"_s, u"yesterday"_s, u"6/11/2026 08:00:00"_s, u"No"_s, true},
        {u"Junk"_s, QString(), QString(), QString(), u"Yes"_s, true},
        {u"Nightly"_s, u"Reboot"_s, QString(), u"6/10/2026 22:00:00"_s, u"Yes"_s, true},
    };
    ASSERT_EQ(model.rowCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(model.row(i), rows[i]);
    EXPECT_EQ(model.FindScheduleRow(u"Nightly"_s), 4);
    EXPECT_EQ(model.FindScheduleRow(u"nightly"_s), 0);
}

TEST_F(ScheduleListTest, DeleteRemovesOnlyTheRowsOwnFile) {
    ASSERT_FALSE(WriteScheduleFile(daily(u"Keep"_s), data()));
    ASSERT_FALSE(WriteScheduleFile(daily(u"Drop"_s), data()));
    ScheduleListModel model;
    EXPECT_TRUE(loadData(model, data(), Wednesday));
    model.appendRow({u"Keep"_s, QString(), QString(), QString(), u"Yes"_s, false});

    EXPECT_FALSE(deleteScheduleFile(model.row(2), data())); // a quick row deletes nothing, even a namesake
    EXPECT_TRUE(deleteScheduleFile(model.row(0), data()));
    loadData(model, data(), Wednesday);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.row(0).name, u"Keep"_s);
}

} // namespace
