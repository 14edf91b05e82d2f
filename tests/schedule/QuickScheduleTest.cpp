#include "schedule/QuickSchedule.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vesperon;

namespace {

const QDateTime Wednesday(QDate(2026, 6, 10), QTime(14, 20, 30));

TEST(QuickSchedule, OffersSixteenChoicesSpelledAsUsersKnowThem) {
    const QStringList items = quickScheduleDelayItems();
    ASSERT_EQ(items.size(), 16);
    EXPECT_EQ(items.first(), QStringLiteral("Now"));
    EXPECT_EQ(items.at(3), QStringLiteral("in 15 Minutes"));
    EXPECT_EQ(items.at(4), QStringLiteral("in 30 Minutes"));
    EXPECT_EQ(items.last(), QStringLiteral("In 1 Month"));
}

TEST(QuickSchedule, TargetsAddTheDelayToTheCurrentMoment) {
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 1 Minute"), Wednesday),
              QDateTime(QDate(2026, 6, 10), QTime(14, 21, 30)));
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 12 Hours"), Wednesday),
              QDateTime(QDate(2026, 6, 11), QTime(2, 20, 30)));
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 3 Weeks"), Wednesday),
              QDateTime(QDate(2026, 7, 1), QTime(14, 20, 30)));
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 1 Month"), QDateTime(QDate(2026, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2026, 2, 28), QTime(10, 0)));
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 1 Month"), QDateTime(QDate(2028, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2028, 2, 29), QTime(10, 0)));
    EXPECT_EQ(quickScheduleTarget(QStringLiteral("In 1 Month"), QDateTime(QDate(2026, 12, 15), QTime(10, 0))),
              QDateTime(QDate(2027, 1, 15), QTime(10, 0)));
    EXPECT_FALSE(quickScheduleTarget(QStringLiteral("Now"), Wednesday).has_value());
    EXPECT_FALSE(quickScheduleTarget(QStringLiteral("In 15 Minutes"), Wednesday).has_value());
    EXPECT_FALSE(quickScheduleTarget(QStringLiteral("in 1 minute"), Wednesday).has_value());
}

TEST(QuickSchedule, RowsAreNamedAfterTheirMomentAndCarryTheTargetAsNextRun) {
    const ScheduleRow row =
        quickScheduleRow(QStringLiteral("Reboot"), QStringLiteral("In 1 Minute"), Wednesday);
    EXPECT_EQ(row.name, QStringLiteral("Quick Schedule 6/10/2026 2:20:30 PM"));
    EXPECT_EQ(row.type, QStringLiteral("Reboot"));
    EXPECT_EQ(row.nextRunTime, QStringLiteral("6/10/2026 14:21:30"));
    EXPECT_EQ(row.enabled, QStringLiteral("Yes"));
    EXPECT_FALSE(row.hasFile);
    EXPECT_EQ(
        quickScheduleRow(QStringLiteral("Reboot"), QStringLiteral("In 12 Hours"), Wednesday).nextRunTime,
        QStringLiteral("6/11/2026 02:20:30"));
    // A typed text that is not a choice still adds a row, which never runs.
    EXPECT_TRUE(
        quickScheduleRow(QStringLiteral("Reboot"), QStringLiteral("soon"), Wednesday).nextRunTime.isEmpty());
    EXPECT_EQ(generalTimeText(QTime(9, 5, 7), QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("09:05:07"));
}

} // namespace
