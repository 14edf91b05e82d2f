#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

namespace vesperon {

// Dates come in two forms. The user reads the locale's short date form, written with the
// locale's digits. Schedule files keep StartDate in a stored form, written with ASCII digits
// (every code page holds them, and a file reads the same under any locale); which stored form
// a folder of schedules uses is recorded beside them (schedule/StoredDateForm.h).
//
// Both readers take the locale's own digits and ASCII digits alike, and pass over direction
// marks, so a date written by either writer, in any locale, reads back as the same day.

// The user's short date form: the locale's short date format, with a two-digit year widened to
// four digits and every space removed (the next-run text is split at spaces, so a date must
// never contain one). en_US gives "M/d/yyyy".
QString shortDateFormat(const QLocale &locale = QLocale());

// A date in the locale's short date form, with the locale's digits.
QString formatShortDate(const QDate &date, const QLocale &locale = QLocale());

// Reads a date written in the short date form; nullopt when the text is not one.
std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale = QLocale());

// The stored form the locale gives: its short date form without direction marks.
QString storedDateForm(const QLocale &locale = QLocale());

// A date in a stored form, with ASCII digits.
QString formatStoredDate(const QDate &date, const QString &form);

// Reads a date written in a stored form; nullopt when the text is not one.
std::optional<QDate> parseStoredDate(const QString &text, const QString &form);

// Whether dates can be stored in form: it has a day, a month and a four-digit year, no space
// and no line break, and gives back the date it wrote.
bool isUsableDateForm(const QString &form);

// Reads a time of day as stored in schedule files (HH:MM:SS, also H:MM:SS and HH:MM).
std::optional<QTime> parseTimeOfDay(const QString &text);

// HH:MM:SS on the 24-hour clock, two digits each.
QString formatTimeOfDay(const QTime &time);

} // namespace vesperon
