#include "schedule/ScheduleFile.h"
#include "schedule/RunHistory.h"
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
}

} // namespace
