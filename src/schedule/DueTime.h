#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace vesperon {

// The forms a next run is computed in: StartDate is read in the stored form of the schedule
// files (see StoredDateForm.h), and the next run is written in the user's short date form.
struct DateForms {
    // Both from the locale: files written in it and read by a user of it.
    DateForms(const QLocale &shown = QLocale()); // NOLINT(google-explicit-constructor)
    DateForms(QString stored, const QLocale &shown);

    QString stored;
    QLocale shown;
    bool storedIsShown; // a stored date is shown as it is written
};

// The next run of one schedule, from the text of its file's SCHEDULER section: the start
// while it is still ahead, otherwise the next occurrence of a repeating schedule.
// Empty when the schedule has no next run (disabled, one-time and passed, nothing chosen,
// or a start that cannot be read).
QString NextRunText(const QString &schedulerSection, const QDateTime &now,
                    const DateForms &forms = DateForms());

// Whether a next-run text names the current minute of the current day (seconds ignored), or
// names a minute the clocks skipped (daylight saving time began) and now is the first
// minute after the skip. nullopt when the text is not a date and a time separated by a space.
std::optional<bool> IsDue(const QString &nextRunText, const QDateTime &now,
                          const QLocale &locale = QLocale());

// A moment written as a next-run text: short date, a space, HH:MM:SS.
QString nextRunTextFor(const QDateTime &moment, const QLocale &locale = QLocale());

// A minute of the wall clock: a day and a minute of that day.
struct WallMinute {
    qint64 day = 0; // Julian day
    int minute = 0;
    auto operator<=>(const WallMinute &) const = default;
};

WallMinute wallMinuteOf(const QDateTime &moment);

// The wall-clock minute in which a run set for date and time happens: its own minute or, when
// the local clocks skip that minute, the first minute after the skip.
WallMinute runMinuteOf(const QDate &date, const QTime &time);

} // namespace vesperon
