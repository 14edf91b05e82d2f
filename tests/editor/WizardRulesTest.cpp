#include "editor/WizardRules.h"
#include "support/QtPrinters.h"
#include "support/ScheduleRecords.h"

#include <gtest/gtest.h>

using namespace vesperon;

namespace {

const QString us = QStringLiteral("M/d/yyyy");
const QString german = QStringLiteral("dd.MM.yyyy");

WizardEntries enabledEntries() {
    WizardEntries e;
    e.name = QStringLiteral("Nightly");
    e.action = QStringLiteral("Reboot");
    e.scheduler = true;
    e.date = QDate(2026, 12, 5);
    e.time = QTime(7, 5, 0);
    return e;
}

TEST(WizardPeriod, WeekdaysAreWrittenMondayFirstAndReadBackIgnoringStrangePieces) {
    WeekdayChecks checks{};
    checks[6] = checks[0] = checks[2] = true; // sun, mon, wed
    EXPECT_EQ(weekdayPeriod(checks), QStringLiteral("mon,wed,sun"));
    EXPECT_EQ(weekdayPeriod(WeekdayChecks{}), QString());
    EXPECT_EQ(weekdaysFromPeriod(QStringLiteral("mon,wed,sun")), checks);
    // Keys are compared exactly; spaces, upper case and day numbers are not weekdays.
    EXPECT_EQ(weekdaysFromPeriod(QStringLiteral("Mon, tue,1,,sun,sun")),
              (WeekdayChecks{false, false, false, false, false, false, true}));
}

TEST(WizardPeriod, MonthDaysAreWrittenAscendingAndReadBackWithinOneToThirtyOne) {
    MonthDayChecks checks{};
    checks[30] = checks[0] = checks[14] = true;
    EXPECT_EQ(monthDayPeriod(checks), QStringLiteral("1,15,31"));
    EXPECT_EQ(monthDaysFromPeriod(QStringLiteral("31,1,15")), checks);
    const MonthDayChecks odd = monthDaysFromPeriod(QStringLiteral("0,32,-1,mon,2x,,7"));
    MonthDayChecks seventh{};
    seventh[6] = true;
    EXPECT_EQ(odd, seventh);
}

TEST(WizardRecord, NotRepeatingOrDisabledDropsWhatTheControlsStillShow) {
    WizardEntries e = enabledEntries();
    e.repeatKind = ChosenMonthDays;
    e.days[0] = true;
    ScheduleRecord r = scheduleRecordFromEntries(e, us); // "Run Schedule" unchecked
    EXPECT_FALSE(r.Repeat);
    EXPECT_EQ(r.SAccurancy, 0);
    EXPECT_TRUE(r.Period.isEmpty());
    EXPECT_FALSE(r.StartTime.isEmpty());
    EXPECT_EQ(scheduleRecordFromEntries(enabledEntries(), german).StartDate, QStringLiteral("05.12.2026"));

    e.repeat = true;
    e.scheduler = false;
    r = scheduleRecordFromEntries(e, us);
    ScheduleRecord expected;
    expected.Name = QStringLiteral("Nightly");
    expected.ItemType = QStringLiteral("Reboot");
    EXPECT_EQ(r, expected);
}

// A new schedule's proposed start, including the wrap past midnight, is driven through the window.
TEST(WizardStart, AnExistingScheduleOpensWithItsOwnValues) {
    const QDateTime now(QDate(2026, 6, 10), QTime(14, 37, 12));
    const ScheduleRecord r = test::enabledSchedule(QStringLiteral("Backup"), QStringLiteral("Log Off"),
                                                   QStringLiteral("12/24/2026"), QStringLiteral("07:30:15"),
                                                   true, ChosenMonthDays, QStringLiteral("1,31"));
    ScheduleRecord current = r;
    WizardEntries e = entriesForSchedule(current, now, us);
    EXPECT_EQ(current, r);
    EXPECT_EQ(e.name, r.Name);
    EXPECT_EQ(e.action, r.ItemType);
    EXPECT_TRUE(e.scheduler);
    EXPECT_EQ(e.date, QDate(2026, 12, 24));
    EXPECT_EQ(e.time, QTime(7, 30, 15));
    EXPECT_TRUE(e.repeat);
    EXPECT_EQ(e.repeatKind, ChosenMonthDays);
    EXPECT_TRUE(e.days[0] && e.days[30]);
    EXPECT_EQ(e.weekdays, WeekdayChecks{});
    // The round trip through the record gives the same schedule back.
    EXPECT_EQ(scheduleRecordFromEntries(e, us), r);

    // A disabled schedule opens today at the current hour, with nothing switched on.
    current.Enabled = false;
    e = entriesForSchedule(current, now, us);
    EXPECT_FALSE(e.scheduler);
    EXPECT_FALSE(e.repeat);
    EXPECT_EQ(e.date, now.date());
    EXPECT_EQ(e.time, QTime(14, 0, 0));
}

TEST(WizardStart, HandEditedSchedulesOpenWithoutSurprises) {
    const QDateTime now(QDate(2026, 6, 10), QTime(14, 37, 12));
    ScheduleRecord current;
    current.Name = QStringLiteral("Odd");
    current.Enabled = true;
    current.Repeat = true;
    current.SAccurancy = 7; // no such option button: opens as daily
    WizardEntries e = entriesForSchedule(current, now, us);
    // An enabled schedule without a start time takes the current moment, and says so.
    EXPECT_EQ(current.StartTime, QStringLiteral("6/10/2026 14:37:12"));
    EXPECT_EQ(e.time, QTime(14, 37, 12));
    EXPECT_EQ(e.date, now.date()); // no readable start date
    EXPECT_EQ(e.repeatKind, EveryDay);

    current.StartDate = QStringLiteral("31/12/2026"); // not the folder's form
    current.StartTime = QStringLiteral("25:00:00");
    current.SAccurancy = -1;
    e = entriesForSchedule(current, now, us);
    EXPECT_EQ(e.date, now.date());
    EXPECT_EQ(e.time, QTime(14, 0, 0));
    EXPECT_EQ(e.repeatKind, EveryDay);
}

} // namespace
