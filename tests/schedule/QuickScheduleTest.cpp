#include "schedule/QuickSchedule.h"
#include "support/Testing.h"

using namespace vesperon;

namespace {

// A month later on the 31st is the last day of a shorter month. The delays counted in seconds
// ("In 1 Minute", "In 12 Hours") and typed texts are driven through the main window.
TEST(QuickSchedule, AMonthLaterEndsOnTheLastDayOfAShorterMonth) {
    EXPECT_EQ(quickScheduleTarget(u"In 1 Month"_s, QDateTime(QDate(2026, 1, 31), QTime(10, 0))),
              QDateTime(QDate(2026, 2, 28), QTime(10, 0)));
}

} // namespace
