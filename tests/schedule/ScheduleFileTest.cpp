// Schedule files, the list read from them and the run history, in temporary folders.

#include "schedule/ScheduleFile.h"
#include "schedule/RunHistory.h"
#include "schedule/ScheduleList.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

// Names that would leave the data folder, name a device, or be changed by Windows are refused
// and nothing is written; ordinary names with dots, spaces inside, punctuation and letters of
// any script are fine. The bytes of saved schedules are checked where the wizard writes them.
TEST(WriteScheduleFile, RefusesNamesThatAreNotPlainFileNames) {
    QTemporaryDir dir;
    const ScheduleRecord escape =
        test::enabledSchedule(u"../escape"_s, u"Shut Down"_s, u"6/10/2026"_s, u"22:00:00"_s);
    EXPECT_TRUE(WriteScheduleFile(escape, dir.filePath(u"data"_s)).has_value());
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    for (const QString &name :
         {u"a/b"_s, u"a\\b"_s, u".."_s, u"."_s, u"CON"_s, u"lpt1.txt"_s, u"com9"_s, u"tab\there"_s,
          u"what?"_s, u"trailing."_s, QString(), QString(300, QLatin1Char('x'))})
        EXPECT_FALSE(isPlainScheduleName(name)) << name.toStdString();
    for (const QString &name : {u"v1.2 nightly"_s, u"Console"_s, u"a,b;c"_s, u"Nacht – Über"_s})
        EXPECT_TRUE(isPlainScheduleName(name)) << name.toStdString();
}

TEST(ReadKeyValue, FollowsTheExactMatchingRules) {
    const QString section = u"\r\nStartDate=6/10/2026\r\nPeriod= 1,2 \r\nPeriod=3\r\nRepeat=-1"_s;
    EXPECT_EQ(ReadKeyValue(section, u"Period"_s), u" 1,2 "_s); // first match, untrimmed
    EXPECT_EQ(ReadKeyValue(section, u"Repeat"_s), QString());  // no CR LF after the value
    // A bare LF does not end a value.
    EXPECT_EQ(ReadKeyValue(u"A=1\nB=2\r\n"_s, u"A"_s), u"1\nB=2"_s);
}

TEST(ScheduleConversions, ReadBooleansAndNumbersFromHandEditedFiles) {
    const struct {
        const char *text;
        bool boolean;
        qint16 number;
    } cases[] = {{"-1", true, -1},     {"True", true, 0},        {"0", false, 0},
                 {"yes", false, 0},    {"2", true, 2},           {"70000", true, 0},
                 {"32767.5", true, 0}, {"32767.4", true, 32767}, {"-32768.4", true, -32768},
                 {"nan", false, 0},    {"-inf", false, 0},       {"Infinity", false, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(toScheduleBoolean(QLatin1String(c.text)), c.boolean) << c.text;
        EXPECT_EQ(toScheduleInt16(QLatin1String(c.text)), c.number) << c.text;
    }
}

// A line cut short keeps its own line; two rotations keep a megabyte and drop the oldest.
TEST(RunHistoryTest, AppendsWholeLinesAndRotatesOnceAtTheLimit) {
    QTemporaryDir dir;
    const RunHistory history(dir.filePath(u"history.log"_s));
    test::writeBytes(history.filePath(), "2026-06-10T21:00:00\tfired\tReboot\tCut\t");
    const HistoryEntry entry{test::at(22, 0), HistoryEntry::Outcome::MissedAsleep, "Shut Down", "Night\tly",
                             "why"};
    ASSERT_TRUE(history.record(entry));
    EXPECT_EQ(history.lines(),
              (QStringList{"2026-06-10T21:00:00\tfired\tReboot\tCut\t",
                           "2026-06-10T22:00:00\tmissed (asleep)\tShut Down\tNight ly\twhy"}));

    const HistoryEntry longer{test::at(22, 1), HistoryEntry::Outcome::Refused, "Reboot", "Big",
                              QString(900, 'x')};
    const int linesPerFile = int(RunHistory::MaxBytes / (historyLine(longer).size() + 1));
    for (int i = 0; i < 2 * linesPerFile + 2; ++i)
        ASSERT_TRUE(history.record(longer));
    EXPECT_EQ(history.entries().constFirst(), longer);
    EXPECT_GE(history.entries().size(), linesPerFile);
    // A line that brings the file to the limit exactly still goes into it.
    const QByteArray line = historyLine(longer).toUtf8() + '\n';
    test::writeBytes(history.filePath(), QByteArray(RunHistory::MaxBytes - line.size() - 1, 'x') + '\n');
    ASSERT_TRUE(history.record(longer));
    EXPECT_EQ(QFileInfo(history.filePath()).size(), RunHistory::MaxBytes);
}

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
    EXPECT_TRUE(model.setHeaderData(1, Qt::Horizontal, u"Typ"_s)); // as a language names the columns
    EXPECT_EQ(model.headerData(1, Qt::Horizontal), u"Typ"_s);
}

} // namespace
