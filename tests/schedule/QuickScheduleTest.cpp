#include "schedule/QuickSchedule.h"
#include "support/ScheduleRecords.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

using test::Wednesday;

// "In 1 Minute", "In 12 Hours", the row names and typed texts are driven through the main window.
TEST(QuickSchedule, TargetsAddTheDelayToTheCurrentMoment) {
    EXPECT_EQ(quickScheduleTarget(u"In 3 Weeks"_s, Wednesday),
              QDateTime(QDate(2026, 7, 1), QTime(14, 20, 30)));
    EXPECT_EQ(quickScheduleTarget(u"In 1 Month"_s, QDateTime(QDate(2026, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2026, 2, 28), QTime(10, 0)));
    EXPECT_EQ(quickScheduleTarget(u"In 1 Month"_s, QDateTime(QDate(2028, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2028, 2, 29), QTime(10, 0)));
    EXPECT_EQ(quickScheduleTarget(u"In 1 Month"_s, QDateTime(QDate(2026, 12, 15), QTime(10, 0))),
              QDateTime(QDate(2027, 1, 15), QTime(10, 0)));
    EXPECT_FALSE(quickScheduleTarget(u"Now"_s, Wednesday).has_value());
    EXPECT_FALSE(quickScheduleTarget(u"In 15 Minutes"_s, Wednesday).has_value());
    EXPECT_FALSE(quickScheduleTarget(u"in 1 minute"_s, Wednesday).has_value());
}

} // namespace
