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
    // Ordinary names with dots, spaces inside, punctuation and letters of any script are fine.
    for (const QString &name : {QStringLiteral("v1.2 nightly"), QStringLiteral("Console"),
                                QStringLiteral("a,b;c"), QStringLiteral("Nacht – Über")})
        EXPECT_TRUE(isPlainScheduleName(name)) << name.toStdString();
}

TEST(ReadKeyValue, FollowsTheExactMatchingRules) {
    const QString section =
        QStringLiteral("\r\nStartDate=6/10/2026\r\nPeriod= 1,2 \r\nPeriod=3\r\nRepeat=-1");
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("StartDate")), QStringLiteral("6/10/2026"));
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("Period")),
              QStringLiteral(" 1,2 "));                                    // first match, untrimmed
    EXPECT_EQ(ReadKeyValue(section, QStringLiteral("Repeat")), QString()); // no CR LF after the value
    // A bare LF does not end a value.
    EXPECT_EQ(ReadKeyValue(QStringLiteral("A=1\nB=2\r\n"), QStringLiteral("A")), QStringLiteral("1\nB=2"));
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

} // namespace
