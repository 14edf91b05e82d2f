#include "schedule/DueTime.h"

#include "core/ShortDate.h"
#include "schedule/ScheduleFile.h"
#include "schedule/ScheduleRecord.h"

#include <QList>
#include <algorithm>

namespace vesperon {

namespace {

// Dates are written with four-digit years: a run after 9999 cannot be written, so there is none.
constexpr int LastWritableYear = 9999;
constexpr int MinutesPerDay = 24 * 60;

int minuteOfDay(const QTime &time) {
    return time.hour() * 60 + time.minute();
}

// Whether the local clocks show this minute of this day at all.
bool isOnTheWallClock(const QDate &date, int minute) {
    const QTime time(minute / 60, minute % 60);
    const QDateTime moment(date, time);
    return moment.isValid() && moment.date() == date && moment.time() == time;
}

// A start time is still ahead until its minute begins.
bool isAhead(const QTime &start, const QTime &now) {
    return minuteOfDay(start) - minuteOfDay(now) > 0;
}

// The numbers of a Period list that lie in [low, high]. Anything else (a hand-edited
// word, an empty item, a day 40) is left out rather than guessed at.
QList<int> periodNumbers(const QString &period, int low, int high) {
    QList<int> numbers;
    for (const QString &item : period.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = item.toInt(&ok);
        if (ok && n >= low && n <= high)
            numbers << n;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::optional<QDate> nextWeekday(const QString &period, const QDate &today, bool startAhead) {
    QString numbered = period;
    static const char *keys[] = {"mon", "tue", "wed", "thu", "fri", "sat", "sun"};
    for (int i = 0; i < 7; ++i)
        numbered.replace(QLatin1String(keys[i]), QString::number(i + 1));
    const QList<int> days = periodNumbers(numbered, 1, 7);
    if (days.isEmpty())
        return std::nullopt;
    const int w = today.dayOfWeek(); // Monday = 1 ... Sunday = 7
    if (days.contains(w) && startAhead)
        return today;
    const auto later = std::upper_bound(days.begin(), days.end(), w);
    if (later != days.end())
        return today.addDays(*later - w);
    return today.addDays(7 - w + days.first()); // first chosen day of next week
}

std::optional<QDate> nextMonthDay(const QString &period, const QDate &today, bool startAhead) {
    const QList<int> days = periodNumbers(period, 1, 31);
    if (days.isEmpty())
        return std::nullopt;
    const int t = today.day();
    if (days.contains(t) && startAhead)
        return today;
    const auto later = std::upper_bound(days.begin(), days.end(), t);
    if (later != days.end())
        return today.addDays(*later - t); // a day past this month's end rolls into the next
    const QDate firstOfNext = QDate(today.year(), today.month(), 1).addMonths(1);
    return QDate(firstOfNext.year(), firstOfNext.month(), std::min(days.first(), firstOfNext.daysInMonth()));
}

} // namespace

DateForms::DateForms(const QLocale &shown) : DateForms(storedDateForm(shown), shown) {}

DateForms::DateForms(QString storedForm, const QLocale &shownIn)
    : stored(std::move(storedForm)), shown(shownIn),
      storedIsShown(stored == shortDateFormat(shown) && shown.zeroDigit() == QLatin1String("0")) {}

QString nextRunTextFor(const QDateTime &moment, const QLocale &locale) {
    if (moment.date().year() > LastWritableYear)
        return QString();
    return formatShortDate(moment.date(), locale) + QLatin1Char(' ') + formatTimeOfDay(moment.time());
}

WallMinute wallMinuteOf(const QDateTime &moment) {
    return {moment.date().toJulianDay(), minuteOfDay(moment.time())};
}

WallMinute runMinuteOf(const QDate &date, const QTime &time) {
    const WallMinute own{date.toJulianDay(), minuteOfDay(time)};
    if (isOnTheWallClock(date, own.minute))
        return own;
    // A skip lasts an hour or so; the longest ever skipped a whole day.
    for (int later = own.minute + 1; later <= own.minute + 2 * MinutesPerDay; ++later) {
        const QDate day = date.addDays(later / MinutesPerDay);
        if (isOnTheWallClock(day, later % MinutesPerDay))
            return {day.toJulianDay(), later % MinutesPerDay};
    }
    return own;
}

QString NextRunText(const QString &section, const QDateTime &now, const DateForms &forms) {
    const QString startDateText = ReadKeyValue(section, QStringLiteral("StartDate"));
    const QString startTimeText = ReadKeyValue(section, QStringLiteral("StartTime"));
    const auto startDate = parseStoredDate(startDateText, forms.stored);
    const auto startTime = parseTimeOfDay(startTimeText);
    if (!startDate || !startTime)
        return QString();

    const QDate today = now.date();
    const bool startAhead = isAhead(*startTime, now.time());
    const qint64 d = today.daysTo(*startDate);
    if (d > 0 || (d == 0 && startAhead))
        return (forms.storedIsShown ? startDateText : formatShortDate(*startDate, forms.shown)) +
               QLatin1Char(' ') + startTimeText;

    if (!toScheduleBoolean(ReadKeyValue(section, QStringLiteral("Repeat"))))
        return QString();

    std::optional<QDate> next;
    const QString period = ReadKeyValue(section, QStringLiteral("Period"));
    switch (toScheduleInt16(ReadKeyValue(section, QStringLiteral("SAccurancy")))) {
    case EveryDay:
        next = startAhead ? today : today.addDays(1);
        break;
    case ChosenWeekdays:
        next = nextWeekday(period, today, startAhead);
        break;
    case ChosenMonthDays:
        next = nextMonthDay(period, today, startAhead);
        break;
    default:
        break;
    }
    if (!next || next->year() > LastWritableYear)
        return QString();
    return formatShortDate(*next, forms.shown) + QLatin1Char(' ') + startTimeText;
}

std::optional<bool> IsDue(const QString &nextRunText, const QDateTime &now, const QLocale &locale) {
    const QStringList pieces = nextRunText.split(QLatin1Char(' '));
    if (pieces.size() < 2)
        return std::nullopt;
    const auto date = parseShortDate(pieces.at(0), locale);
    const auto time = parseTimeOfDay(pieces.at(1));
    if (!date || !time)
        return std::nullopt;
    const WallMinute run{date->toJulianDay(), minuteOfDay(*time)};
    const WallMinute current = wallMinuteOf(now);
    if (run == current)
        return true;
    // Only a run that has passed on the wall clock can have been skipped over.
    if (run > current || current.day - run.day > 2)
        return false;
    return runMinuteOf(*date, *time) == current;
}

} // namespace vesperon
