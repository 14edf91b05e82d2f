#include "editor/WizardRules.h"

#include "core/ShortDate.h"

#include <QStringList>

namespace vesperon {

QString weekdayPeriod(const WeekdayChecks &checks) {
    QStringList keys;
    for (int i = 0; i < WeekdayCount; ++i) {
        if (checks[i])
            keys << QLatin1String(WeekdayKeys[i]);
    }
    return keys.join(QLatin1Char(','));
}

QString monthDayPeriod(const MonthDayChecks &checks) {
    QStringList days;
    for (int i = 0; i < MonthDayCount; ++i) {
        if (checks[i])
            days << QString::number(i + 1);
    }
    return days.join(QLatin1Char(','));
}

WeekdayChecks weekdaysFromPeriod(const QString &period) {
    WeekdayChecks checks{};
    for (const QString &piece : period.split(QLatin1Char(','))) {
        for (int i = 0; i < WeekdayCount; ++i) {
            if (piece == QLatin1String(WeekdayKeys[i]))
                checks[i] = true;
        }
    }
    return checks;
}

MonthDayChecks monthDaysFromPeriod(const QString &period) {
    MonthDayChecks checks{};
    for (const QString &piece : period.split(QLatin1Char(','))) {
        bool ok = false;
        const int day = piece.toInt(&ok);
        if (ok && day >= 1 && day <= MonthDayCount)
            checks[day - 1] = true;
    }
    return checks;
}

ScheduleRecord scheduleRecordFromEntries(const WizardEntries &entries, const QString &dateForm) {
    ScheduleRecord record;
    record.Name = entries.name;
    record.ItemType = entries.action;
    record.Enabled = entries.scheduler;
    if (!entries.scheduler)
        return record; // no start, no repetition, no period
    record.StartDate = formatStoredDate(entries.date, dateForm);
    record.StartTime = formatTimeOfDay(entries.time);
    record.Repeat = entries.repeat;
    if (!entries.repeat)
        return record;
    record.SAccurancy = static_cast<qint16>(entries.repeatKind);
    if (entries.repeatKind == ChosenWeekdays)
        record.Period = weekdayPeriod(entries.weekdays);
    else if (entries.repeatKind == ChosenMonthDays)
        record.Period = monthDayPeriod(entries.days);
    return record;
}

namespace {

QTime atFullHour(int hour) {
    return QTime(hour, 0, 0);
}

} // namespace

WizardEntries entriesForNewSchedule(const QDateTime &now) {
    WizardEntries entries;
    entries.date = now.date();
    entries.time = atFullHour(now.addSecs(3600).time().hour());
    return entries;
}

WizardEntries entriesForSchedule(ScheduleRecord &current, const QDateTime &now, const QString &dateForm) {
    WizardEntries entries;
    entries.name = current.Name;
    entries.action = current.ItemType;
    entries.date = now.date();
    entries.time = atFullHour(now.time().hour());
    if (!current.Enabled)
        return entries;

    entries.scheduler = true;
    if (current.StartTime.isEmpty())
        current.StartTime =
            formatStoredDate(now.date(), dateForm) + QLatin1Char(' ') + formatTimeOfDay(now.time());
    if (const auto date = parseStoredDate(current.StartDate, dateForm))
        entries.date = *date;
    // A start time may carry a date in front of it (see above): the time is the last part.
    const QString timeText = current.StartTime.section(QLatin1Char(' '), -1);
    if (const auto time = parseTimeOfDay(timeText))
        entries.time = *time;

    entries.repeat = current.Repeat;
    if (current.Repeat) {
        const int kind = current.SAccurancy;
        entries.repeatKind = kind >= EveryDay && kind <= ChosenMonthDays ? kind : EveryDay;
        if (entries.repeatKind == ChosenWeekdays)
            entries.weekdays = weekdaysFromPeriod(current.Period);
        else if (entries.repeatKind == ChosenMonthDays)
            entries.days = monthDaysFromPeriod(current.Period);
    }
    return entries;
}

WizardControlStates wizardControlStates(bool scheduler, bool repeat, int repeatKind) {
    WizardControlStates states;
    states.pickers = scheduler;
    states.repeatBox = scheduler;
    states.options = scheduler && repeat;
    if (states.options) {
        if (repeatKind == ChosenWeekdays)
            states.visibleList = DayList::Weekdays;
        else if (repeatKind == ChosenMonthDays)
            states.visibleList = DayList::MonthDays;
    }
    return states;
}

bool isDuplicateScheduleName(const QString &name, const QList<ScheduleRow> &rows) {
    const QString upper = name.toUpper();
    for (const ScheduleRow &row : rows) {
        if (row.name.toUpper() == upper)
            return true;
    }
    return false;
}

bool startHasPassed(const WizardEntries &entries, const QDateTime &now) {
    if (!entries.scheduler || entries.repeat)
        return false;
    const QTime start(entries.time.hour(), entries.time.minute());
    const QTime current(now.time().hour(), now.time().minute());
    return QDateTime(entries.date, start) < QDateTime(now.date(), current);
}

} // namespace vesperon
