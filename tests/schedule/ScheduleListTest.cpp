#include "schedule/ScheduleList.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;
using vesperon::test::readBytes;
using vesperon::test::writeBytes;

namespace vesperon {
void PrintTo(const ScheduleRow &row, std::ostream *out) {
    *out << '{'
         << QStringList{row.name, row.type, row.lastRunTime, row.nextRunTime, row.enabled}
                .join(QStringLiteral(" | "))
                .toStdString()
         << (row.hasFile ? " | file}" : " | no file}");
}
} // namespace vesperon

namespace {

const QDateTime Wednesday(QDate(2026, 6, 10), QTime(14, 20, 30));

class ScheduleListTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString data() const { return dir.path(); }
    void file(const QString &name, const QByteArray &bytes) {
        writeBytes(QDir(data()).filePath(name), bytes);
    }

    ScheduleRecord daily(const QString &name) {
        return test::enabledSchedule(name, QStringLiteral("Reboot"), QStringLiteral("6/1/2026"),
                                     QStringLiteral("22:00:00"));
    }
};

// One row per schedule file, read as hand-edited files come; a reload drops the quick rows and
// skips what is not a schedule file; a broken file is listed without a next run.
TEST_F(ScheduleListTest, LoadsOneRowPerScheduleFileWithItsColumns) {
    ASSERT_FALSE(WriteScheduleFile(daily(QStringLiteral("Nightly")), data()));
    file(QStringLiteral("Hand.sch"),
         "<DATA>\r\nLastRunTime=yesterday\r\nItemType=Log Off\r\nEnabled=-1\r\n</DATA>\r\n"
         "<SCHEDULER>\r\nStartDate=6/11/2026\r\nStartTime=08:00:00\r\n</SCHEDULER>\r\n");
    file(QStringLiteral("Junk.sch"),
         "<DATA>\r\nEnabled=1\r\n</DATA>\r\n<SCHEDULER>\r\nStartDate=99/99/99\r\n"
         "StartTime=xx\r\nRepeat=-1\r\nSAccurancy=1\r\nPeriod=,,,\r\n</SCHEDULER>\r\n");
    file(QStringLiteral("Binary.sch"), QByteArray("\x00\xff\xfe<DATA>\x00\r\n", 12));
    file(QStringLiteral("notes.txt"), "x");
    QDir(data()).mkdir(QStringLiteral("folder.sch"));
    ScheduleListModel model;
    model.appendRow({QStringLiteral("Quick"), QStringLiteral("Reboot"), QString(), QString(),
                     QStringLiteral("Yes"), false});
    loadData(model, data(), Wednesday);

    const ScheduleRow rows[] = {
        {QStringLiteral("Binary"), QString(), QString(), QString(), QStringLiteral("No"), true},
        {QStringLiteral("Hand"), QStringLiteral("Log Off"), QStringLiteral("yesterday"),
         QStringLiteral("6/11/2026 08:00:00"), QStringLiteral("No"), true},
        {QStringLiteral("Junk"), QString(), QString(), QString(), QStringLiteral("Yes"), true},
        {QStringLiteral("Nightly"), QStringLiteral("Reboot"), QString(), QStringLiteral("6/10/2026 22:00:00"),
         QStringLiteral("Yes"), true},
    };
    ASSERT_EQ(model.rowCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(model.row(i), rows[i]);
    EXPECT_EQ(model.FindScheduleRow(QStringLiteral("Nightly")), 4);
    EXPECT_EQ(model.FindScheduleRow(QStringLiteral("nightly")), 0);
}

TEST_F(ScheduleListTest, DeleteRemovesOnlyTheRowsOwnFile) {
    ASSERT_FALSE(WriteScheduleFile(daily(QStringLiteral("Keep")), data()));
    ASSERT_FALSE(WriteScheduleFile(daily(QStringLiteral("Drop")), data()));
    ScheduleListModel model;
    loadData(model, data(), Wednesday);
    model.appendRow({QStringLiteral("Keep"), QString(), QString(), QString(), QStringLiteral("Yes"), false});

    EXPECT_FALSE(deleteScheduleFile(model.row(2), data())); // a quick row deletes nothing, even a namesake
    EXPECT_TRUE(deleteScheduleFile(model.row(0), data()));
    loadData(model, data(), Wednesday);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.row(0).name, QStringLiteral("Keep"));
}

} // namespace
