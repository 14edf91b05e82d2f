#pragma once

#include "schedule/ScheduleRecord.h"

#include <QString>

namespace vesperon::test {

// An enabled schedule as the wizard saves one: start date and time, repeat settings, and
// nothing in the fields the wizard always leaves empty.
inline ScheduleRecord enabledSchedule(const QString &name, const QString &type, const QString &startDate,
                                      const QString &startTime, bool repeat = true, qint16 kind = EveryDay,
                                      const QString &period = QString()) {
    ScheduleRecord r;
    r.Name = name;
    r.ItemType = type;
    r.Enabled = true;
    r.StartDate = startDate;
    r.StartTime = startTime;
    r.Repeat = repeat;
    r.SAccurancy = kind;
    r.Period = period;
    return r;
}

} // namespace vesperon::test
