#pragma once

#include <QString>
#include <QtGlobal>

namespace vesperon {

// One schedule. Except for Name, the field names are the keys of the schedule file.
struct ScheduleRecord {
    QString Name;
    QString ItemType;    // the action's display name, e.g. "Shut Down"
    QString LastRunTime; // shown in the list; saved empty, never filled in
    bool Enabled = false;
    QString StartDate; // short date form
    QString StartTime; // HH:MM:SS, 24-hour
    bool Repeat = false;
    qint16 SAccurancy = 0; // 0 every day, 1 chosen weekdays, 2 chosen days of the month
    QString Period;        // "mon,wed,fri" or "1,15,28"
    bool RunOnStart = false;
    bool RunOnEnd = false;

    bool operator==(const ScheduleRecord &) const = default;
};

// Repeat kinds stored in SAccurancy.
enum RepeatKind : qint16 { EveryDay = 0, ChosenWeekdays = 1, ChosenMonthDays = 2 };

} // namespace vesperon
