#include "schedule/DueTime.h"
#include "core/ShortDate.h"
#include "schedule/QuickSchedule.h"

#include "support/ScheduleRecords.h"
#include "support/Testing.h"
#include <algorithm>

using namespace vesperon;

namespace {

using test::Wednesday;

QString section(const QString &startDate, const QString &startTime, const char *repeat = "0",
                const char *accuracy = "0", const char *period = "") {
    return QStringLiteral("\r\nStartDate=%1\r\nStartTime=%2\r\nRepeat=%3\r\nSAccurancy=%4\r\nPeriod=%5\r\n"
                          "RunOnStart=0\r\nRunOnEnd=0\r\n")
        .arg(startDate, startTime, QLatin1String(repeat), QLatin1String(accuracy), QLatin1String(period));
}

// Whatever the desktop's locale (native digits, direction marks, quoted text, year first),
// a schedule saved in it gets a next run, and that next run is due in its minute.
TEST(ShortDate, EveryLocaleReadsBackTheDatesItWrites) {
    const QDate start(2026, 12, 7);
    const QDateTime due(start, QTime(8, 0, 40));
    for (const QLocale &locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        const QString shown = formatShortDate(start, locale);
        const QString stored = formatStoredDate(start, storedDateForm(locale));
        const std::string name = locale.name().toStdString() + " " + shown.toStdString();
        EXPECT_FALSE(shown.contains(QLatin1Char(' '))) << name;
        EXPECT_EQ(parseShortDate(shown, locale), start) << name;
        EXPECT_FALSE(std::any_of(stored.cbegin(), stored.cend(), [](QChar c) {
            return c.isDigit() && c.unicode() >= 0x80;
        })) << name;
        // Files hold the stored form; files of older versions hold the shown one.
        for (const QString &startDate : {stored, shown}) {
            const QString nextRun = NextRunText(section(startDate, u"08:00:00"_s), Wednesday, locale);
            EXPECT_FALSE(nextRun.isEmpty()) << name;
            EXPECT_EQ(IsDue(nextRun, due, locale), true) << name;
        }
    }
}

// The next run of every kind of schedule, seen on Wednesday 10 June 2026 at 14:20:30 unless
// another moment is given.
TEST(NextRunText, FollowsTheRulesOfEachKindOfSchedule) {
    const QString nine = u"09:00:00"_s;
    const struct {
        QString schedule;
        const char *nextRun;
        QDateTime now = Wednesday;
    } cases[] = {
        // Once: at its start while that is ahead; the start minute itself is no longer ahead.
        {section("6/10/2026", "14:21:00"), "6/10/2026 14:21:00"},
        {section("6/10/2026", "14:20:00"), ""},
        // Daily: rolls over once the start minute has passed.
        {section("6/1/2026", "14:25:00", "-1"), "6/10/2026 14:25:00"},
        {section("6/1/2026", "14:20:00", "-1"), "6/11/2026 14:20:00"},
        {section("6/1/26", "14:25:00", "-1"), ""}, // a two-digit year is no stored date
        // A future start wins whatever the chosen days (6/13/2026 is a Saturday).
        {section("6/13/2026", "08:00:00", "-1", "1", "mon,wed,fri"), "6/13/2026 08:00:00"},
        // Weekdays: today while the start is ahead, the next chosen day in any order, junk passed
        // over, or the first chosen day of next week.
        {section("6/1/2026", "16:00:00", "-1", "1", "mon,wed,fri"), "6/10/2026 16:00:00"},
        {section("6/1/2026", nine, "-1", "1", "wed"), "6/17/2026 09:00:00"},
        {section("6/1/2026", nine, "-1", "1", "xyz,,9,fri,thu"), "6/11/2026 09:00:00"},
        // Month days: the next chosen day; past a month's end by adding days; the first chosen
        // day of next month, or its last day.
        {section("1/1/2026", nine, "-1", "2", "20,15"), "6/15/2026 09:00:00"},
        {section("1/1/2026", nine, "-1", "2", "31"), "7/1/2026 09:00:00"},
        {section("1/1/2026", nine, "-1", "2", "31"), "2/28/2026 09:00:00",
         QDateTime(QDate(2026, 1, 31), QTime(10, 0))},
        {section("1/1/2026", nine, "-1", "2", "0,32,abc"), ""},
        // Unreadable values: no run (a Repeat that is no Boolean is false).
        {section("2026-06-11", "08:00:00"), ""},
        {section("6/1/2026", nine, "maybe"), ""},
        {section("6/1/2026", nine, "-1", "3"), ""},
        // Dates have four-digit years: the day after 12/31/9999 cannot be written.
        {section("6/1/2026", nine, "-1"), "", QDateTime(QDate(9999, 12, 31), QTime(10, 0))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NextRunText(c.schedule, c.now), QLatin1String(c.nextRun)) << c.schedule.toStdString();
}

TEST(IsDue, HoldsThroughoutTheMinuteOfTheRunOnItsDayOnly) {
    const QDate day(2026, 6, 10);
    const struct {
        const char *run;
        QDateTime now;
        std::optional<bool> due;
    } cases[] = {
        {"6/10/2026 14:20:00", QDateTime(day, QTime(14, 20, 0)), true},
        {"6/10/2026 14:20:00", QDateTime(day, QTime(14, 20, 59)), true},
        {"6/10/2026 14:20:45", QDateTime(day, QTime(14, 20, 1)), true},
        {"6/10/2026 14:20:00", QDateTime(day, QTime(14, 21, 0)), false},
        {"6/10/2026 14:21:00", QDateTime(day, QTime(14, 20, 30)), false}, // still to come
        {"6/7/2026 14:20:00", QDateTime(day, QTime(14, 20, 0)), false},   // days ago
        {"6/10/2026", Wednesday, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(IsDue(QLatin1String(c.run), c.now), c.due)
            << c.run << " at " << c.now.toString().toStdString();
}

TEST(ShortDate, ReadsTimesOfDayStrictly) {
    EXPECT_EQ(parseTimeOfDay(u"07:30:00"_s), QTime(7, 30));
    EXPECT_EQ(parseTimeOfDay(u"7:30:05"_s), QTime(7, 30, 5));
    EXPECT_EQ(parseTimeOfDay(u"23:59"_s), QTime(23, 59));
    for (const char *bad : {"", "24:00:00", "7:3:00", "07:30:00 PM", "x7:30", "07:60:00"})
        EXPECT_FALSE(parseTimeOfDay(QLatin1String(bad)).has_value()) << bad;
    // Leading zeros written by hand still read, and the parser does not read past the form.
    EXPECT_EQ(parseShortDate(u"06/01/2026"_s), QDate(2026, 6, 1));
    EXPECT_FALSE(parseShortDate(u"6/1/2026x"_s).has_value());
    EXPECT_FALSE(parseShortDate(u"2/30/2026"_s).has_value());
}

// A month later on the 31st is the last day of a shorter month. The delays counted in seconds
// ("In 1 Minute", "In 12 Hours") and typed texts are driven through the main window.
TEST(QuickSchedule, AMonthLaterEndsOnTheLastDayOfAShorterMonth) {
    EXPECT_EQ(quickScheduleTarget(u"In 1 Month"_s, QDateTime(QDate(2026, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2026, 2, 28), QTime(10, 0)));
}

} // namespace
