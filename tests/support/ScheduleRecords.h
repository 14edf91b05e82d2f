#pragma once

#include "schedule/ScheduleListModel.h"
#include "schedule/ScheduleRecord.h"

#include <QDateTime>
#include <QString>

namespace vesperon::test {

// An enabled schedule repeating every day, as the wizard saves one, with nothing in the fields
// the wizard always leaves empty.
inline ScheduleRecord enabledSchedule(const QString &name, const QString &type, const QString &startDate,
                                      const QString &startTime) {
    ScheduleRecord r;
    r.Name = name;
    r.ItemType = type;
    r.Enabled = r.Repeat = true;
    r.StartDate = startDate;
    r.StartTime = startTime;
    return r;
}

// A moment on Wednesday 10 June 2026 (or another day of that June).
inline QDateTime at(int hour, int minute, int second = 0, int day = 10) {
    return QDateTime(QDate(2026, 6, day), QTime(hour, minute, second));
}
inline const QDateTime Wednesday = at(14, 20, 30);

// A row of the list without a schedule file, as a quick schedule adds one.
inline ScheduleRow quickRow(const QString &name, const QString &type, const QString &nextRun) {
    return {name, type, {}, nextRun, "Yes", false};
}

} // namespace vesperon::test
