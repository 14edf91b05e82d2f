#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vesperon;

namespace {

ScheduleRecord weeklyShutdown() {
    return test::enabledSchedule(QStringLiteral("Backup"), QStringLiteral("Shut Down"),
                                 QStringLiteral("6/10/2026"), QStringLiteral("22:00:00"), true,
                                 ChosenWeekdays, QStringLiteral("mon,wed,fri"));
}

// The bytes of saved schedules are checked where the wizard writes them (editor tests).
TEST(WriteScheduleFile, RefusesNamesThatAreNotPlainFileNames) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    for (const QString &name :
         {QStringLiteral("../escape"), QStringLiteral("a/b"), QStringLiteral("a\\b"), QStringLiteral(".."),
          QStringLiteral("."), QStringLiteral("CON"), QStringLiteral("lpt1.txt"), QStringLiteral("com9"),
          QStringLiteral("tab\there"), QStringLiteral("what?"), QStringLiteral("trailing."), QString(),
          QString(300, QLatin1Char('x'))}) {
        ScheduleRecord r = weeklyShutdown();
        r.Name = name;
        const auto error = WriteScheduleFile(r, data);
        ASSERT_TRUE(error.has_value()) << name.toStdString();
        EXPECT_EQ(error->text(), QStringLiteral("Error 52 - Bad file name or number"));
    }
    EXPECT_TRUE(QDir(data).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("escape.sch"))));
    // Ordinary names with dots, spaces inside, punctuation and letters of any script are fine.
    for (const QString &name : {QStringLiteral("v1.2 nightly"), QStringLiteral("Console"),
                                QStringLiteral("a,b;c"), QStringLiteral("Nacht – Über")})
        EXPECT_TRUE(isPlainScheduleName(name)) << name.toStdString();
}

TEST(WriteScheduleFile, AFailedSaveReportsTheErrorAndKeepsWhatWasThere) {
    QTemporaryDir dir;
    // A folder where the file should go cannot be replaced by a file.
    QDir(dir.path()).mkdir(QStringLiteral("Backup.sch"));
    auto error = WriteScheduleFile(weeklyShutdown(), dir.path());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->text(), QStringLiteral("Error 75 - Path/File access error"));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Backup.sch"))).isDir());
}

TEST(ReadSection, TakesTheTextBetweenFirstOpeningAndLastClosingMarker) {
    const QString text = QStringLiteral("<DATA>\r\nA=1\r\n</DATA>\r\n<SCHEDULER>\r\nB=2\r\n</SCHEDULER>\r\n");
    EXPECT_EQ(ReadSection(text, QStringLiteral("scheduler")), QStringLiteral("\r\nB=2\r\n"));
    EXPECT_EQ(ReadSection(text, QStringLiteral("DATA")), QStringLiteral("\r\nA=1\r\n"));
    EXPECT_EQ(ReadSection(text, QStringLiteral("MISSING")), QString());
    // Markers are matched exactly: a lower-case tag in the file is not a section.
    EXPECT_EQ(ReadSection(QStringLiteral("<data>\r\nA=1\r\n</data>\r\n"), QStringLiteral("DATA")), QString());
    // Closing marker before the opening one: nothing.
    EXPECT_EQ(ReadSection(QStringLiteral("</DATA><DATA>A=1\r\n"), QStringLiteral("DATA")), QString());
    // The last closing marker counts.
    EXPECT_EQ(ReadSection(QStringLiteral("<X>a</X>b</X>"), QStringLiteral("X")), QStringLiteral("a</X>b"));
}

TEST(ReadKeyValue, FollowsTheExactMatchingRules) {
    const QString section =
        QStringLiteral("\r\nStartDate=6/10/2026\r\nPeriod= 1,2 \r\nPeriod=3\r\nRepeat=-1");
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("StartDate")), QStringLiteral("6/10/2026"));
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("startdate")), QString()); // keys are case-sensitive
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("Period")),
              QStringLiteral(" 1,2 "));                                    // first match, untrimmed
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("Repeat")), QString()); // no CR LF after the value
    EXPECT_EQ(ReadKeyValue(QString(), QStringLiteral("Repeat")), QString());
    // The match is not tied to the start of a line.
    EXPECT_EQ(ReadKeyValue(QStringLiteral("xStartTime=07:30:00\r\n"), QStringLiteral("StartTime")),
              QStringLiteral("07:30:00"));
    // A bare LF does not end a value.
    EXPECT_EQ(ReadKeyValue(QStringLiteral("A=1\nB=2\r\n"), QStringLiteral("A")), QStringLiteral("1\nB=2"));
}

TEST(ScheduleConversions, ReadBooleansAndNumbersFromHandEditedFiles) {
    const struct {
        const char *text;
        bool boolean;
        qint16 number;
    } cases[] = {{"-1", true, -1},         {"1", true, 1},
                 {"True", true, 0},        {"true", true, 0},
                 {"0", false, 0},          {"False", false, 0},
                 {"", false, 0},           {"yes", false, 0},
                 {"2", true, 2},           {"x", false, 0},
                 {"70000", true, 0},       {"32767.5", true, 0},
                 {"32767.4", true, 32767}, {"-32768.4", true, -32768},
                 {"nan", false, 0},        {"NaN", false, 0},
                 {"-nan", false, 0},       {"inf", false, 0},
                 {"-inf", false, 0},       {"Infinity", false, 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(toScheduleBoolean(QLatin1String(c.text)), c.boolean) << c.text;
        EXPECT_EQ(toScheduleInt16(QLatin1String(c.text)), c.number) << c.text;
    }
}

} // namespace
