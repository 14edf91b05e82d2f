#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

namespace vesperon {

// The short date form the program writes and reads: the locale's short date format,
// with a two-digit year widened to four digits and every space removed (the next-run
// text is split at spaces, so a date must never contain one). en_US gives "M/d/yyyy".
QString shortDateFormat(const QLocale &locale = QLocale());

QString formatShortDate(const QDate &date, const QLocale &locale = QLocale());

// Reads a date written in the short date form; nullopt when the text is not one.
std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale = QLocale());

// Reads a time of day as stored in schedule files (HH:MM:SS, also H:MM:SS and HH:MM).
std::optional<QTime> parseTimeOfDay(const QString &text);

// HH:MM:SS on the 24-hour clock, two digits each.
QString formatTimeOfDay(const QTime &time);

} // namespace vesperon
