#include "schedule/QuickSchedule.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace vesperon;

namespace {

const QDateTime Wednesday(QDate(2026, 6, 10), QTime(14, 20, 30));

// "In 1 Minute", "In 12 Hours", the row names and typed texts are driven through the main window.
TEST(QuickSchedule, TargetsAddTheDelayToTheCurrentMoment) {
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

} // namespace
