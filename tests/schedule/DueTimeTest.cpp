#include "schedule/DueTime.h"
#include "core/ShortDate.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace vesperon;

namespace {

// Wednesday 10 June 2026, 14:20:30.
const QDateTime Wednesday(QDate(2026, 6, 10), QTime(14, 20, 30));

QString section(const QString &startDate, const QString &startTime,
                const QString &repeat = QStringLiteral("0"), const QString &accuracy = QStringLiteral("0"),
                const QString &period = QString()) {
    return QStringLiteral("\r\nStartDate=%1\r\nStartTime=%2\r\nRepeat=%3\r\nSAccurancy=%4\r\nPeriod=%5\r\n"
                          "RunOnStart=0\r\nRunOnEnd=0\r\n")
        .arg(startDate, startTime, repeat, accuracy, period);
}

QString daily(const QString &time) {
    return section(QStringLiteral("6/1/2026"), time, QStringLiteral("-1"));
}
QString weekly(const QString &period, const QString &time) {
    return section(QStringLiteral("6/1/2026"), time, QStringLiteral("-1"), QStringLiteral("1"), period);
}
QString monthly(const QString &period, const QString &time) {
    return section(QStringLiteral("1/1/2026"), time, QStringLiteral("-1"), QStringLiteral("2"), period);
}

TEST(ShortDate, IsTheLocaleFormWithAFourDigitYearAndNoSpaces) {
    EXPECT_EQ(shortDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(shortDateFormat(QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(parseShortDate(QStringLiteral("6/10/2026")), QDate(2026, 6, 10));
    EXPECT_FALSE(parseShortDate(QStringLiteral("13/40/2026")).has_value());
    EXPECT_FALSE(parseShortDate(QStringLiteral("junk")).has_value());
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
            const QString nextRun =
                NextRunText(section(startDate, QStringLiteral("08:00:00")), Wednesday, locale);
            EXPECT_FALSE(nextRun.isEmpty()) << name;
            EXPECT_EQ(IsDue(nextRun, due, locale), true) << name;
        }
    }
}

TEST(NextRunText, OneTimeSchedulesRunAtTheirStartWhileItIsAhead) {
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/10/2026"), QStringLiteral("14:21:00")), Wednesday),
              QStringLiteral("6/10/2026 14:21:00"));
    // The start minute itself is no longer ahead.
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/10/2026"), QStringLiteral("14:20:00")), Wednesday),
              QString());
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/11/2026"), QStringLiteral("08:00:00")), Wednesday),
              QStringLiteral("6/11/2026 08:00:00"));
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/9/2026"), QStringLiteral("23:00:00")), Wednesday),
              QString());
    // Disabled schedules are saved without date and time.
    EXPECT_EQ(NextRunText(section(QString(), QString(), QStringLiteral("-1")), Wednesday), QString());
    EXPECT_EQ(NextRunText(QString(), Wednesday), QString());
}

TEST(NextRunText, DailySchedulesRollOverOnceTheStartMinuteHasPassed) {
    EXPECT_EQ(NextRunText(daily(QStringLiteral("14:25:00")), Wednesday),
              QStringLiteral("6/10/2026 14:25:00"));
    EXPECT_EQ(NextRunText(daily(QStringLiteral("14:20:00")), Wednesday),
              QStringLiteral("6/11/2026 14:20:00"));
    EXPECT_EQ(NextRunText(daily(QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/11/2026 09:00:00"));
    // The last day of the year rolls into the next year.
    EXPECT_EQ(NextRunText(daily(QStringLiteral("09:00:00")), QDateTime(QDate(2026, 12, 31), QTime(10, 0))),
              QStringLiteral("1/1/2027 09:00:00"));
}

TEST(NextRunText, AFutureStartWinsWhateverTheChosenDays) {
    // 6/13/2026 is a Saturday, not among mon,wed,fri.
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/13/2026"), QStringLiteral("08:00:00"),
                                  QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("mon,wed,fri")),
                          Wednesday),
              QStringLiteral("6/13/2026 08:00:00"));
}

TEST(NextRunText, WeekdaySchedulesFindTheNextChosenDay) {
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("mon,wed,fri"), QStringLiteral("16:00:00")), Wednesday),
              QStringLiteral("6/10/2026 16:00:00"));
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("mon,wed,fri"), QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/12/2026 09:00:00"));
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("mon"), QStringLiteral("16:00:00")), Wednesday),
              QStringLiteral("6/15/2026 16:00:00"));
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("wed"), QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/17/2026 09:00:00"));
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("sun"), QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/14/2026 09:00:00"));
    // The order in Period does not matter.
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("fri,mon"), QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/12/2026 09:00:00"));
    // On a Sunday, Monday is tomorrow.
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("mon"), QStringLiteral("09:00:00")),
                          QDateTime(QDate(2026, 6, 14), QTime(10, 0))),
              QStringLiteral("6/15/2026 09:00:00"));
    EXPECT_EQ(NextRunText(weekly(QString(), QStringLiteral("16:00:00")), Wednesday), QString());
    // Keys are replaced exactly: "Mon" is not Monday, and junk items are passed over.
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("Mon"), QStringLiteral("16:00:00")), Wednesday), QString());
    EXPECT_EQ(NextRunText(weekly(QStringLiteral("xyz,,9,fri"), QStringLiteral("09:00:00")), Wednesday),
              QStringLiteral("6/12/2026 09:00:00"));
}

TEST(NextRunText, MonthDaySchedulesHandleMonthEndsAndLeapYears) {
    const QString nine = QStringLiteral("09:00:00");
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("1,15"), nine), Wednesday),
              QStringLiteral("6/15/2026 09:00:00"));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("20,15"), nine), Wednesday),
              QStringLiteral("6/15/2026 09:00:00"));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("10"), nine), Wednesday),
              QStringLiteral("7/10/2026 09:00:00"));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("10"), QStringLiteral("15:00:00")), Wednesday),
              QStringLiteral("6/10/2026 15:00:00"));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("5"), nine), Wednesday),
              QStringLiteral("7/5/2026 09:00:00"));
    // A day beyond June's end rolls over by adding days.
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("31"), nine), Wednesday),
              QStringLiteral("7/1/2026 09:00:00"));

    const QDateTime jan31(QDate(2026, 1, 31), QTime(10, 0));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("1"), nine), jan31), QStringLiteral("2/1/2026 09:00:00"));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("31"), nine), jan31), QStringLiteral("2/28/2026 09:00:00"));
    const QDateTime leapJan31(QDate(2028, 1, 31), QTime(10, 0));
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("31"), nine), leapJan31),
              QStringLiteral("2/29/2028 09:00:00"));
    // December rolls into January of the next year.
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("3"), nine), QDateTime(QDate(2026, 12, 20), QTime(10, 0))),
              QStringLiteral("1/3/2027 09:00:00"));
    EXPECT_EQ(NextRunText(monthly(QString(), nine), Wednesday), QString());
    EXPECT_EQ(NextRunText(monthly(QStringLiteral("0,32,abc"), nine), Wednesday), QString());
}

TEST(NextRunText, UnreadableValuesMeanNoRunOrTheirDefaults) {
    EXPECT_EQ(NextRunText(section(QStringLiteral("2026-06-11"), QStringLiteral("08:00:00")), Wednesday),
              QString());
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/11/2026"), QStringLiteral("25:99:00")), Wednesday),
              QString());
    // A Repeat that is not a Boolean is false; an unreadable repeat kind is "every day".
    EXPECT_EQ(
        NextRunText(section(QStringLiteral("6/1/2026"), QStringLiteral("09:00:00"), QStringLiteral("maybe")),
                    Wednesday),
        QString());
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/1/2026"), QStringLiteral("09:00:00"),
                                  QStringLiteral("-1"), QStringLiteral("x")),
                          Wednesday),
              QStringLiteral("6/11/2026 09:00:00"));
    EXPECT_EQ(NextRunText(section(QStringLiteral("6/1/2026"), QStringLiteral("09:00:00"),
                                  QStringLiteral("-1"), QStringLiteral("3")),
                          Wednesday),
              QString());
}

TEST(NextRunText, ARunPastTheLastWritableYearIsNoRun) {
    // Dates are written with four-digit years: the day after 12/31/9999 cannot be written.
    const QDateTime lastDay(QDate(9999, 12, 31), QTime(10, 0));
    for (const QString &schedule :
         {daily(QStringLiteral("09:00:00")), weekly(QStringLiteral("mon"), QStringLiteral("09:00:00")),
          monthly(QStringLiteral("1"), QStringLiteral("09:00:00"))})
        EXPECT_EQ(NextRunText(schedule, lastDay), QString()) << schedule.toStdString();
    EXPECT_EQ(NextRunText(daily(QStringLiteral("11:00:00")), lastDay), QStringLiteral("12/31/9999 11:00:00"));
    EXPECT_EQ(nextRunTextFor(QDateTime(QDate(10000, 1, 1), QTime(9, 0))), QString());
}

TEST(IsDue, HoldsThroughoutTheMinuteOfTheRunOnItsDayOnly) {
    const QString run = QStringLiteral("6/10/2026 14:20:00");
    EXPECT_EQ(IsDue(run, QDateTime(QDate(2026, 6, 10), QTime(14, 20, 0))), true);
    EXPECT_EQ(IsDue(run, QDateTime(QDate(2026, 6, 10), QTime(14, 20, 59))), true);
    EXPECT_EQ(IsDue(run, QDateTime(QDate(2026, 6, 10), QTime(14, 21, 0))), false);
    EXPECT_EQ(IsDue(run, QDateTime(QDate(2026, 6, 10), QTime(14, 19, 59))), false);
    EXPECT_EQ(IsDue(run, QDateTime(QDate(2026, 6, 11), QTime(14, 20, 0))), false);
    EXPECT_EQ(IsDue(QStringLiteral("6/10/2026 14:20:45"), QDateTime(QDate(2026, 6, 10), QTime(14, 20, 1))),
              true);
}

TEST(IsDue, FailsOnTextsThatAreNotADateAndATime) {
    EXPECT_FALSE(IsDue(QStringLiteral("6/10/2026"), Wednesday).has_value());
    EXPECT_FALSE(IsDue(QStringLiteral("6/10/2026  14:20:00"), Wednesday).has_value()); // two spaces
    EXPECT_FALSE(IsDue(QStringLiteral("tomorrow 14:20:00"), Wednesday).has_value());
    EXPECT_FALSE(IsDue(QStringLiteral("6/10/2026 noon"), Wednesday).has_value());
    EXPECT_EQ(nextRunTextFor(QDateTime(QDate(2026, 6, 11), QTime(2, 20, 30))),
              QStringLiteral("6/11/2026 02:20:30"));
}

} // namespace

namespace {

TEST(ShortDate, ReadsTimesOfDayStrictly) {
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("07:30:00")), QTime(7, 30));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("7:30:05")), QTime(7, 30, 5));
    EXPECT_EQ(parseTimeOfDay(QStringLiteral("23:59")), QTime(23, 59));
    for (const char *bad :
         {"", "24:00:00", "7:3:00", "07:30:", "07:30:00 PM", "07-30-00", "x7:30", "07:60:00"})
        EXPECT_FALSE(parseTimeOfDay(QLatin1String(bad)).has_value()) << bad;
    EXPECT_EQ(formatTimeOfDay(QTime(7, 5, 9)), QStringLiteral("07:05:09"));
    // Leading zeros written by hand still read, and the parser does not read past the form.
    EXPECT_EQ(parseShortDate(QStringLiteral("06/01/2026")), QDate(2026, 6, 1));
    EXPECT_FALSE(parseShortDate(QStringLiteral("6/1/2026x")).has_value());
    EXPECT_FALSE(parseShortDate(QStringLiteral("2/30/2026")).has_value());
    EXPECT_FALSE(parseShortDate(QStringLiteral("6/1/26")).has_value());
}

} // namespace
