#pragma once

#include "core/ShortDate.h"
#include "schedule/ScheduleListModel.h"
#include "schedule/ScheduleRecord.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>
#include <array>

namespace vesperon {

// The decisions of the schedule wizard, as plain functions of what the wizard shows.

inline constexpr int WeekdayCount = 7;
inline constexpr int MonthDayCount = 31;

// Keys of the weekday entries, Monday first; they are also the pieces of a weekly Period.
inline constexpr std::array<const char *, WeekdayCount> WeekdayKeys = {"mon", "tue", "wed", "thu",
                                                                       "fri", "sat", "sun"};
// Message keys of the weekday entries' texts, in the same order.
inline constexpr std::array<const char *, WeekdayCount> WeekdayMessages = {
    "MSG_MONDAY", "MSG_TUESDAY", "MSG_WEDNESDAY", "MSG_THURSDAY", "MSG_FRIDAY", "MSG_SATURDAY", "MSG_SUNDAY"};

using WeekdayChecks = std::array<bool, WeekdayCount>;   // [0] is Monday
using MonthDayChecks = std::array<bool, MonthDayCount>; // [0] is day 1

// Everything the user can set in the wizard.
struct WizardEntries {
    QString name;
    QString action; // the action box's text, typed or chosen
    bool scheduler = false;
    QDate date;
    QTime time;
    bool repeat = false;
    int repeatKind = EveryDay; // the selected option button: 0 daily, 1 weekly, 2 monthly
    WeekdayChecks weekdays{};
    MonthDayChecks days{};

    bool operator==(const WizardEntries &) const = default;
};

// "mon,wed,fri": the keys of the checked weekdays, Monday first.
QString weekdayPeriod(const WeekdayChecks &checks);
// "1,15,31": the checked day numbers, ascending.
QString monthDayPeriod(const MonthDayChecks &checks);
// The weekdays a Period names; pieces that are not weekday keys are ignored.
WeekdayChecks weekdaysFromPeriod(const QString &period);
// The days a Period names; pieces that are not day numbers 1 to 31 are ignored.
MonthDayChecks monthDaysFromPeriod(const QString &period);

// The record the wizard saves, its start date in the stored date form dateForm (the data
// folder's). A disabled schedule keeps no start, repetition or period, whatever the controls
// show; a schedule that does not repeat keeps no period; only the visible choice's list
// (weekly or monthly) is written. LastRunTime is always saved empty.
ScheduleRecord scheduleRecordFromEntries(const WizardEntries &entries,
                                         const QString &dateForm = storedDateForm());

// A new schedule: no name, nothing switched on, starting today at the next full hour
// (at 23:xx that is 00:00 of today's date).
WizardEntries entriesForNewSchedule(const QDateTime &now);

// An existing schedule as the wizard opens it. An enabled schedule without a start time is
// given the current moment as its start time (current is updated, as the wizard always has
// done). Its start date is read in the stored date form dateForm (the data folder's). A start
// the wizard cannot read starts today at the current hour, as does a disabled schedule; a
// repeat kind outside 0..2 opens as daily.
WizardEntries entriesForSchedule(ScheduleRecord &current, const QDateTime &now,
                                 const QString &dateForm = storedDateForm());

// Which controls the two switches leave usable, and which day list shows.
enum class DayList { None, Weekdays, MonthDays };
struct WizardControlStates {
    bool pickers = false;   // date and time
    bool repeatBox = false; // "Run Schedule"
    bool options = false;   // daily / weekly / monthly
    DayList visibleList = DayList::None;

    bool operator==(const WizardControlStates &) const = default;
};
WizardControlStates wizardControlStates(bool scheduler, bool repeat, int repeatKind);

// Whether name matches a row of the list, ignoring case (quick-schedule rows count too).
bool isDuplicateScheduleName(const QString &name, const QList<ScheduleRow> &rows);

// An enabled one-time schedule whose start minute lies before the current minute: it would
// never run.
bool startHasPassed(const WizardEntries &entries, const QDateTime &now);

} // namespace vesperon
